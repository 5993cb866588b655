// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Marks a caption the window shows in its language: the caption itself here; the translation
// tools read it as Qt's QT_TRANSLATE_NOOP (scripts/update-translations.sh).
#define WINDOW_CAPTION(context, text) text

// A capacity the Division page offers by name.
struct CapacityPreset {
    const char* Caption;
    std::uint64_t Capacity;
    std::string_view Name = {};  // what the command line calls it
};

constexpr std::uint64_t BytesPerMegabyte = 1048576;
constexpr std::uint64_t HundredthsPerMinute = 6000;

// The data presets, in bytes, by Tag - 1; Tag 6 is the custom capacity.
inline constexpr CapacityPreset DataPresets[] = {
    {WINDOW_CAPTION("CapacityPresets", "&650 МБ"), 650 * BytesPerMegabyte, "cd650"},
    {WINDOW_CAPTION("CapacityPresets", "&700 МБ"), 700 * BytesPerMegabyte, "cd700"},
    {WINDOW_CAPTION("CapacityPresets", "&800 МБ"), 800 * BytesPerMegabyte, "cd800"},
    {WINDOW_CAPTION("CapacityPresets", "&4,38 ГБ"), 4483 * BytesPerMegabyte, "dvd"},
    {WINDOW_CAPTION("CapacityPresets", "дискета &1,39 МБ"), 1457664, "floppy"}};
constexpr int DataCustomTag = 6;

// The audio presets, in hundredths of a second, by Tag - 1; Tag 4 is the custom playing time.
inline constexpr CapacityPreset AudioPresets[] = {
    {WINDOW_CAPTION("CapacityPresets", "&74 мин"), 444000, "audio74"},
    {WINDOW_CAPTION("CapacityPresets", "&80 мин"), 480000, "audio80"},
    {WINDOW_CAPTION("CapacityPresets", "сторона кассеты (&45 мин)"), 270000, "tape45"}};
constexpr int AudioCustomTag = 4;

// The units of the custom data capacity, in list order.
inline constexpr CapacityPreset DataUnits[] = {
    {WINDOW_CAPTION("CapacityPresets", "Байт"), 1},
    {WINDOW_CAPTION("CapacityPresets", "кБайт"), 1024},
    {WINDOW_CAPTION("CapacityPresets", "МБайт"), BytesPerMegabyte}};

// The index of the preset with this capacity, or nothing for a custom one.
std::optional<std::size_t> PresetIndexOf(std::span<const CapacityPreset> presets,
                                         std::uint64_t capacity);

// A preset found by its name: its capacity and whether that is a playing time.
struct NamedPreset {
    bool Music;
    std::uint64_t Capacity;
};
std::optional<NamedPreset> FindPresetByName(std::string_view name);

// A custom data capacity as a count of the largest unit that holds it whole.
struct CustomCapacity {
    std::uint64_t Count;
    int Unit;  // index into DataUnits
};
CustomCapacity CustomDataCapacity(std::uint64_t bytes);
