// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/MinimumText.h"

#include <gtest/gtest.h>

// The words for a proven and an unproven count; catches a wrong difference or number.
TEST(MinimumTextTest, ProvenOrHowFar) {
    EXPECT_EQ(MediaMinimumText(1, 1), "1 medium: the fewest possible");
    EXPECT_EQ(MediaMinimumText(5, 3),
              "5 media: at least 3 needed, so at most 2 more than the fewest possible");
}
