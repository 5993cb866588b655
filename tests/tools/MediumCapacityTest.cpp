// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/MediumCapacity.h"

#include <gtest/gtest.h>

namespace {

// A unit read with the wrong factor, a preset with another value than the window's, a time unit
// taken for bytes (m), or a value that wraps past 64 bits instead of being refused.
TEST(MediumCapacityTest, UnitsAndPresets) {
    const struct {
        const char* Text;
        bool Music;
        std::uint64_t Expected;  // 0: refused
    } cases[] = {
        {"734003200", false, 734003200},
        {"700M", false, 734003200},
        {"700m", false, 734003200},
        {"2048K", false, 2097152},
        {"4.38G", false, 4702989189},
        {".5K", false, 512},
        {"1T", false, 1099511627776},
        {"18446744073709551615", false, UINT64_MAX},
        {"16777216T", false, 0},
        {"cd650", false, 681574400},
        {"cd700", false, 734003200},
        {"cd800", false, 838860800},
        {"dvd", false, 4700766208},
        {"floppy", false, 1457664},
        {"audio74", true, 444000},
        {"audio80", true, 480000},
        {"tape45", true, 270000},
        {"80min", true, 480000},
        {"45m", true, 270000},
        {"4800s", true, 480000},
        {"1.5h", true, 540000},
        {"4800", true, 0},
        {"80MIN", true, 0},
        {"audio80", false, 0},
        {"cd700", true, 0},
        {"0", false, 0},
        {"0.0001K", false, 0},
        {"7x", false, 0},
        {"1.2.3M", false, 0},
        {"-5M", false, 0},
        {"", false, 0},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseCapacity(c.Text, c.Music);
        if (c.Expected == 0) {
            EXPECT_TRUE(std::holds_alternative<std::string>(parsed)) << c.Text;
        } else {
            ASSERT_TRUE(std::holds_alternative<std::uint64_t>(parsed))
                << c.Text << ": " << std::get<std::string>(parsed);
            EXPECT_EQ(std::get<std::uint64_t>(parsed), c.Expected) << c.Text;
        }
    }
    // Pauses are truncated to hundredths as the window's field does, and stay within 10 s.
    EXPECT_EQ(std::get<std::uint32_t>(ParsePause("1.2345")), 123u);
    EXPECT_EQ(std::get<std::uint32_t>(ParsePause("0.29")), 29u);
    EXPECT_TRUE(std::holds_alternative<std::string>(ParsePause("10.01")));
}

}  // namespace
