// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// The fewest media that units of the given totals can possibly need on media of the given
// capacity: the Martello-Toth bound L2, which is never below the plain bound (the total divided
// by the capacity, rounded up). Units of total 0 need no room; units that all are 0 still need
// one medium. Every total must fit the capacity.
std::uint32_t BinLowerBound(const std::vector<std::uint64_t>& totals, std::uint64_t capacity);
