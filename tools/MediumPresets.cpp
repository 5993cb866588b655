// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/MediumPresets.h"

namespace {

constexpr std::uint64_t Megabyte = 1048576;

// The capacities of the window's preset buttons on its Division page.
constexpr MediumPreset Presets[] = {
    {"cd650", false, 650 * Megabyte}, {"cd700", false, 700 * Megabyte},
    {"cd800", false, 800 * Megabyte}, {"dvd", false, 4483 * Megabyte},
    {"floppy", false, 1457664},       {"audio74", true, 444000},
    {"audio80", true, 480000},        {"tape45", true, 270000},
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
