// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SizeArithmetic.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(WideSum, ExactBeyondTheLargestValue) {
    const struct {
        std::vector<std::uint64_t> Added;
        std::vector<std::uint64_t> Subtracted;
        std::uint64_t Saturated;
        std::uint32_t Divisor;
        std::uint64_t Quotient;
    } cases[] = {
        {{}, {}, 0, 1, 0},
        {{600, 500, 100}, {}, 1200, 3, 400},
        {{UINT64_MAX, UINT64_MAX, 5000}, {}, UINT64_MAX, 3, 12297829382473036076ULL},
        {{UINT64_MAX, UINT64_MAX, 5000}, {UINT64_MAX, UINT64_MAX, 5000}, 0, 1, 0},
        {{UINT64_MAX, UINT64_MAX, 5000}, {UINT64_MAX}, UINT64_MAX, 2, 9223372036854778307ULL},
        {{UINT64_MAX, 1}, {1}, UINT64_MAX, 1, UINT64_MAX},
        {{UINT64_MAX, UINT64_MAX, UINT64_MAX, UINT64_MAX}, {}, UINT64_MAX, 4, UINT64_MAX},
    };
    for (const auto& c : cases) {
        WideSum sum;
        for (const std::uint64_t value : c.Added)
            sum.Add(value);
        for (const std::uint64_t value : c.Subtracted)
            sum.Subtract(value);
        EXPECT_EQ(sum.Saturated(), c.Saturated);
        EXPECT_EQ(sum.IsZero(), c.Saturated == 0);
        EXPECT_EQ(sum.Quotient(c.Divisor), c.Quotient);
    }
}

TEST(AddOverflows, MarksTheCarry) {
    std::uint64_t sum = 0;
    EXPECT_FALSE(AddOverflows(UINT64_MAX - 1, 1, sum));
    EXPECT_EQ(sum, UINT64_MAX);
    EXPECT_TRUE(AddOverflows(UINT64_MAX, 2, sum));
    EXPECT_EQ(sum, 1u);
}

}  // namespace
