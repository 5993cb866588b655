// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The total at which a medium of the given capacity is full enough: capacity x tolerance x 0.01
// in extended precision with the tolerance held in single precision, truncated. So 99.9 % of
// 734 003 200 bytes is 733 269 208 (99.9f is 99.9000015...), and 100 % is the capacity itself.
std::uint64_t LowBoundOf(std::uint64_t capacity, float tolerance);
