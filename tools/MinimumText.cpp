// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/MinimumText.h"

std::string MediaMinimumText(std::uint32_t media, std::uint32_t bound) {
    const std::string used = std::to_string(media) + (media == 1 ? " medium" : " media");
    if (media <= bound)
        return used + ": the fewest possible";
    return used + ": at least " + std::to_string(bound) + " needed, so at most " +
           std::to_string(media - bound) + " more than the fewest possible";
}
