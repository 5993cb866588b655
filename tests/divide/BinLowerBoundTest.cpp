// SPDX-License-Identifier: GPL-3.0-or-later
#include "divide/BinLowerBound.h"

#include <gtest/gtest.h>

// The fewest media known for small sets, including where the plain bound (total / capacity)
// is too low and where sums pass 64 bits.
TEST(BinLowerBoundTest, KnownCases) {
    const struct {
        std::vector<std::uint64_t> Totals;
        std::uint64_t Capacity;
        std::uint32_t Expected;
    } cases[] = {
        {{}, 100, 0},                                    // nothing needs no medium
        {{0, 0}, 100, 1},                                // empty units still need one
        {{264, 115, 209, 686, 205, 325, 117}, 1000, 2},  // total 1921
        {{6, 6, 6}, 10, 3},                              // each above half: the plain bound is 2
        {{51, 51, 51, 50, 50}, 100, 4},                  // the two 50s fit no 51: the bound is 3
        {{400, 300, 300, 450, 300, 250}, 1000, 2},       // exactly full
        {{100, 100}, 100, 2},                            // full media
        {{UINT64_MAX, UINT64_MAX, 1}, UINT64_MAX, 3},    // a total beyond 64 bits
        {{UINT64_MAX / 2 + 1, UINT64_MAX / 2}, UINT64_MAX, 1},  // odd capacity, exactly full
    };
    for (const auto& c : cases)
        EXPECT_EQ(BinLowerBound(c.Totals, c.Capacity), c.Expected)
            << ::testing::PrintToString(c.Totals);
}
