// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// What a fewest-media division proved about its number of media, given the fewest any division
// can use: "2 media: the fewest possible", or how many more than that it may be.
std::string MediaMinimumText(std::uint32_t media, std::uint32_t bound);
