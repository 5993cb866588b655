// SPDX-License-Identifier: GPL-3.0-or-later
#include "divide/PatternBound.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/doubles/FewestMediaByTrying.h"

namespace {

std::uint64_t Bound(const std::vector<std::uint64_t>& totals, std::uint64_t capacity) {
    std::map<std::uint64_t, std::uint32_t, std::greater<>> units;
    for (const std::uint64_t total : totals)
        ++units[total];
    std::vector<std::uint64_t> sizes;
    std::vector<std::uint32_t> counts;
    for (const auto& [size, count] : units) {
        sizes.push_back(size);
        counts.push_back(count);
    }
    return PatternLowerBound(sizes, counts, capacity, 0, UINT64_MAX);
}

}  // namespace

// Above L2 where whole patterns matter; exactly the relaxation where that is a whole number (a
// rounding up of its last digits would claim a medium too many); sizes near 64 bits.
TEST(PatternBoundTest, KnownCases) {
    const struct {
        std::vector<std::uint64_t> Totals;
        std::uint64_t Capacity;
        std::uint64_t Expected;
    } cases[] = {
        {{4, 4, 4, 4, 4}, 10, 3},  // two a medium; L2 says 2
        {{85, 87, 59, 66, 70, 106, 61, 81, 104, 90, 73, 49, 46, 53, 103, 103}, 208, 6},  // 7 needed
        {{UINT64_MAX / 2 + 1, UINT64_MAX / 2 + 1, 1}, UINT64_MAX, 2},
        {{}, 10, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Bound(c.Totals, c.Capacity), c.Expected) << ::testing::PrintToString(c.Totals);
}

// Never more media than the fewest found by trying every placement; catches a bound that is
// not one (prices not scaled to the best pattern, a pattern search that misses the best).
TEST(PatternBoundTest, NeverAboveTheFewestMedia) {
    for (const SmallSet& set : SmallSets(400))
        EXPECT_LE(Bound(set.Totals, set.Capacity), FewestMediaByTrying(set.Totals, set.Capacity))
            << set.Capacity << ": " << ::testing::PrintToString(set.Totals);
}
