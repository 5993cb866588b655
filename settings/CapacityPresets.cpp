// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/CapacityPresets.h"

std::optional<std::size_t> PresetIndexOf(std::span<const CapacityPreset> presets,
                                         std::uint64_t capacity) {
    for (std::size_t i = 0; i < presets.size(); ++i)
        if (presets[i].Capacity == capacity)
            return i;
    return std::nullopt;
}

CustomCapacity CustomDataCapacity(std::uint64_t bytes) {
    CustomCapacity custom{bytes, 0};
    while (custom.Unit < 2 && custom.Count % 1024 == 0 && custom.Count != 0) {
        custom.Count /= 1024;
        ++custom.Unit;
    }
    return custom;
}

std::optional<NamedPreset> FindPresetByName(std::string_view name) {
    for (const CapacityPreset& preset : DataPresets)
        if (preset.Name == name)
            return NamedPreset{false, preset.Capacity};
    for (const CapacityPreset& preset : AudioPresets)
        if (preset.Name == name)
            return NamedPreset{true, preset.Capacity};
    return std::nullopt;
}
