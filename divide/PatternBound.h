// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// The fewest media units can possibly need by the linear relaxation of dividing them into
// patterns (the sets of units one medium holds): the media may be filled with fractions of
// patterns. It is often above the Martello-Toth bound L2 where that cannot be reached, and is
// found by adding the best pattern for the current prices of the sizes until none pays
// (column generation), each found by a branch and bound over the sizes. The bound given is
// checked: the final prices are scaled so that no pattern is worth more than one medium, and
// the units' worth at those prices, rounded up, is never above the fewest media needed.
//
// sizes: distinct, nonzero, none above the capacity; counts: the units of each. The work stops
// once the bound reaches wanted or is seen not to pass known; the bound found so far is given
// where it takes too long, 0 where the sizes are too many to start.
std::uint64_t PatternLowerBound(const std::vector<std::uint64_t>& sizes,
                                const std::vector<std::uint32_t>& counts, std::uint64_t capacity,
                                std::uint64_t known, std::uint64_t wanted);
