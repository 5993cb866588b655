// SPDX-License-Identifier: GPL-3.0-or-later
#include "divide/LowBound.h"

std::uint64_t LowBoundOf(std::uint64_t capacity, float tolerance) {
    const long double bound =
        static_cast<long double>(capacity) * static_cast<long double>(tolerance) * 0.01L;
    if (bound <= 0)
        return 0;
    // A tolerance above 100 would put the bound above the capacity, where nothing is accepted.
    if (bound >= static_cast<long double>(capacity))
        return capacity;
    return static_cast<std::uint64_t>(bound);
}
