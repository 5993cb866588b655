// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/CapacityPresets.h"

#include <gtest/gtest.h>

namespace {

// A capacity shown under the wrong radio button, or a preset taken for a custom one.
TEST(CapacityPresets, EveryPresetIsFoundAndOtherCapacitiesAreCustom) {
    for (std::size_t i = 0; i < std::size(DataPresets); ++i)
        EXPECT_EQ(PresetIndexOf(DataPresets, DataPresets[i].Capacity), i);
    for (std::size_t i = 0; i < std::size(AudioPresets); ++i)
        EXPECT_EQ(PresetIndexOf(AudioPresets, AudioPresets[i].Capacity), i);
    EXPECT_EQ(PresetIndexOf(DataPresets, 1000), std::nullopt);
    EXPECT_EQ(PresetIndexOf(AudioPresets, 30 * HundredthsPerMinute), std::nullopt);
}

// A custom capacity shown in a unit that does not hold it whole, or in a smaller one than needed.
TEST(CapacityPresets, CustomDataCapacityTakesTheLargestWholeUnit) {
    struct Case {
        std::uint64_t Bytes;
        std::uint64_t Count;
        int Unit;
    };
    const Case cases[] = {{0, 0, 0},
                          {1000, 1000, 0},
                          {2048, 2, 1},
                          {1536 * 1024, 1536, 1},
                          {3 * BytesPerMegabyte, 3, 2},
                          {1024 * BytesPerMegabyte, 1024, 2}};
    for (const Case& c : cases) {
        const CustomCapacity custom = CustomDataCapacity(c.Bytes);
        EXPECT_EQ(custom.Count, c.Count) << c.Bytes;
        EXPECT_EQ(custom.Unit, c.Unit) << c.Bytes;
    }
}

}  // namespace
