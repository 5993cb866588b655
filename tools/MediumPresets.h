// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The Division page's medium presets under the names the command line knows them by.
struct MediumPreset {
    std::string_view Name;
    bool Music;  // a playing time in hundredths of a second, else bytes
    std::uint64_t Capacity;
};

// Every preset, data media first, in the window's order.
std::span<const MediumPreset> MediumPresets();

std::optional<MediumPreset> FindMediumPreset(std::string_view name);
