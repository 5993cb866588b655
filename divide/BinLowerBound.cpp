// SPDX-License-Identifier: GPL-3.0-or-later
#include "divide/BinLowerBound.h"

#include <algorithm>

namespace {

// Sums of up to 2^32 totals below 2^64, and differences of such sums.
__extension__ typedef __int128 Wide;

std::uint64_t CeilingQuotient(Wide value, std::uint64_t divisor) {
    if (value <= 0)
        return 0;
    return static_cast<std::uint64_t>((value + static_cast<Wide>(divisor) - 1) /
                                      static_cast<Wide>(divisor));
}

}  // namespace

std::uint32_t BinLowerBound(const std::vector<std::uint64_t>& totals, std::uint64_t capacity) {
    if (totals.empty())
        return 0;
    std::vector<std::uint64_t> sizes;
    sizes.reserve(totals.size());
    for (const std::uint64_t total : totals)
        if (total != 0)
            sizes.push_back(total);
    if (sizes.empty() || capacity == 0)
        return 1;
    std::sort(sizes.begin(), sizes.end());
    // prefix[i]: total of the i smallest.
    std::vector<Wide> prefix(sizes.size() + 1, 0);
    for (std::size_t i = 0; i < sizes.size(); ++i)
        prefix[i + 1] = prefix[i] + sizes[i];
    const auto countAbove = [&](std::uint64_t limit) {  // first index of a size above limit
        return static_cast<std::size_t>(std::upper_bound(sizes.begin(), sizes.end(), limit) -
                                        sizes.begin());
    };
    const auto countBelow = [&](std::uint64_t limit) {  // first index of a size of limit or more
        return static_cast<std::size_t>(std::lower_bound(sizes.begin(), sizes.end(), limit) -
                                        sizes.begin());
    };

    const std::uint64_t half = capacity / 2;  // a size above it shares its medium with no such
    const std::size_t halfEnd = countAbove(half);
    std::uint64_t best = CeilingQuotient(prefix[sizes.size()], capacity);
    // For each threshold k (0 and every size up to half the capacity): sizes above C - k go
    // alone; sizes above C/2 take a medium each, whose free room is all the sizes from k to C/2
    // may use.
    std::uint64_t previous = UINT64_MAX;
    for (std::size_t i = 0; i <= halfEnd; ++i) {
        const std::uint64_t k = i == 0 ? 0 : sizes[i - 1];
        if (k == previous)
            continue;
        previous = k;
        const std::size_t thirdBegin = countBelow(k);
        const std::size_t secondBegin = halfEnd;
        const std::size_t firstBegin = std::max(secondBegin, countAbove(capacity - k));
        const Wide alone = static_cast<Wide>(sizes.size() - secondBegin);
        const Wide secondCount = static_cast<Wide>(firstBegin - secondBegin);
        const Wide secondSum = prefix[firstBegin] - prefix[secondBegin];
        const Wide thirdSum = prefix[halfEnd] - prefix[thirdBegin];
        const Wide room = secondCount * static_cast<Wide>(capacity) - secondSum;
        const std::uint64_t bound =
            static_cast<std::uint64_t>(alone) + CeilingQuotient(thirdSum - room, capacity);
        best = std::max(best, bound);
    }
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(best, UINT32_MAX));
}
