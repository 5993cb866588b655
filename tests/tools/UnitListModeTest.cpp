// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/UnitListMode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

struct ToolRun {
    int Status;
    std::string Out;
    std::string Err;
};

ToolRun RunWith(const std::string& input, std::uint64_t capacity, std::uint64_t lowBound,
                bool stats = false) {
    UnitListOptions options;
    options.Capacity = capacity;
    options.LowBound = lowBound;
    options.Stats = stats;
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunUnitList(options, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(UnitListModeTest, PrintsInputIndicesPerMedium) {
    const struct {
        const char* Input;
        const char* Expected;
        int Status;
    } cases[] = {
        {"600\n500\n100\n90\n", "0 2\n1 3\n", 0},
        {"700\n10\n10\n10\n", "1 2 3\n0\n", 0},
        {"300\n300\n300\n350\n350\n", "3 4\n0 1\n2\n", 0},
        {"350\r\n351\r\n", "1\n0\n", 0},  // CR LF line ends
        {"100\n800\n200", "0 2\nFAILED\n", 1},
        {"", "", 0},
        {"0\n0\n", "0 1\n", 0},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunWith(c.Input, 700, 699);
        EXPECT_EQ(run.Out, c.Expected) << c.Input;
        EXPECT_EQ(run.Status, c.Status) << c.Input;
    }
}

TEST(UnitListModeTest, BadLinesAreRefusedWithTheirNumber) {
    const struct {
        const char* Input;
        const char* LineText;
    } cases[] = {
        {"5\nabc\n", "line 2"},
        {"-1\n", "line 1"},
        {"1\n2\n18446744073709551616\n", "line 3"},  // one above the largest value
        {"1\n\n2\n", "line 2"},
        {" 5\n", "line 1"},
        {"5 \n", "line 1"},
        {"1e3\n", "line 1"},
        {"+7\n", "line 1"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunWith(c.Input, 700, 699);
        EXPECT_EQ(run.Status, 2) << c.Input;
        EXPECT_TRUE(run.Out.empty()) << c.Input;
        EXPECT_NE(run.Err.find(c.LineText), std::string::npos) << run.Err;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    }
}

TEST(UnitListModeTest, LargestValuesAreExact) {
    // A total of the largest value fits a medium of the largest capacity exactly; two halves
    // that together pass it never wrap round into fitting.
    EXPECT_EQ(RunWith("18446744073709551615\n", UINT64_MAX, UINT64_MAX).Out, "0\n");
    EXPECT_EQ(RunWith("9223372036854775808\n9223372036854775807\n", UINT64_MAX, UINT64_MAX).Out,
              "0 1\n");
    EXPECT_EQ(RunWith("9223372036854775808\n9223372036854775808\n7\n", UINT64_MAX, UINT64_MAX).Out,
              "0 2\n1\n");
}

TEST(UnitListModeTest, StatsNameEveryPass) {
    const ToolRun run = RunWith("700\n10\n10\n10\n", 700, 699, true);
    EXPECT_EQ(run.Err,
              "medium 1: 4 units left; K=3: 2 evaluations; K=4: 1 evaluations\n"
              "medium 2: 1 units left; K=1: 1 evaluations\n");
}

}  // namespace

namespace {

// A limit far below one tick came out as 0 ticks, which the search takes for no limit at all.
TEST(UnitListModeTest, APositiveTimeLimitIsAtLeastOneTick) {
    using Ticks = std::chrono::steady_clock::duration;
    const struct {
        double Seconds;
        Ticks Expected;
    } cases[] = {{1e-10, Ticks(1)},
                 {1.5, std::chrono::duration_cast<Ticks>(std::chrono::milliseconds(1500))},
                 {0, Ticks(0)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Seconds);
        EXPECT_EQ(MediumTimeLimitTicks(c.Seconds), c.Expected);
    }
}

}  // namespace

// --fewest-media: two media where filling each medium in turn needs three, and the line that
// says the count is proven. Catches the option not reaching the search or the report.
TEST(UnitListModeTest, FewestMediaTellsTheProvenLeast) {
    UnitListOptions options;
    options.Capacity = 1000;
    options.LowBound = 999;
    options.FewestMedia = true;
    std::istringstream in("264\n115\n209\n686\n205\n325\n117\n");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunUnitList(options, in, out, err), 0);
    EXPECT_EQ(out.str(), "1 2 4 5 6\n0 3\n");
    EXPECT_EQ(err.str(), "vantrel-divide: 2 media: the fewest possible\n");
}
