// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/MediumPresets.h"

#include "settings/CapacityPresets.h"

namespace {

// The Division page's preset capacities, under the names the command line knows them by.
constexpr MediumPreset Presets[] = {
    {"cd650", false, DataPresets[0].Capacity},   {"cd700", false, DataPresets[1].Capacity},
    {"cd800", false, DataPresets[2].Capacity},   {"dvd", false, DataPresets[3].Capacity},
    {"floppy", false, DataPresets[4].Capacity},  {"audio74", true, AudioPresets[0].Capacity},
    {"audio80", true, AudioPresets[1].Capacity}, {"tape45", true, AudioPresets[2].Capacity},
};

}  // namespace

std::span<const MediumPreset> MediumPresets() {
    return Presets;
}

std::optional<MediumPreset> FindMediumPreset(std::string_view name) {
    for (const MediumPreset& preset : Presets)
        if (preset.Name == name)
            return preset;
    return std::nullopt;
}
