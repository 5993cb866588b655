// SPDX-License-Identifier: GPL-3.0-or-later
#include "divide/LowBound.h"

#include <gtest/gtest.h>

TEST(LowBoundTest, ExactArithmetic) {
    const struct {
        std::uint64_t Capacity;
        float Tolerance;
        std::uint64_t Expected;
    } cases[] = {
        {734003200, 99.9f, 733269208},         // 700 МБ: 99.9f is slightly above 99.9
        {1457664, 99.9f, 1456206},             // the floppy
        {480000, 99.9f, 479520},               // 80 minutes
        {734003200, 80.0f, 587202560},         // 700 МБ at 80
        {734003200, 100.0f, 734003200},        // 100 % is the capacity
        {4700766208, 99.9f, 4696065513},       // 4,38 ГБ
        {UINT64_MAX, 100.0f, UINT64_MAX - 1},  // 0.01 is inexact; no overflow at the top
        {1, 99.9f, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LowBoundOf(c.Capacity, c.Tolerance), c.Expected) << c.Capacity;
}
