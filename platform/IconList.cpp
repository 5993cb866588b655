// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/IconList.h"

std::int32_t PlainIconList::IconIndexOf(const std::string&,
                                        const std::optional<PathAttributes>& attributes) {
    if (!attributes)
        return -1;
    return attributes->Directory ? 0 : 1;
}
