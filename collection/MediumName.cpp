// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/MediumName.h"

#include <string>

bool IsMediumNameAllowed(std::string_view name) {
    return name.find_first_of(ForbiddenNameCharacters) == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}
