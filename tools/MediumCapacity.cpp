// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/MediumCapacity.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

#include "collection/DivisionLimits.h"
#include "platform/NumberParsing.h"
#include "settings/CapacityPresets.h"

namespace {

struct Unit {
    std::string_view Suffix;
    std::uint64_t Size;
};

constexpr std::uint64_t HundredthsPerSecond = 100;

constexpr Unit ByteUnits[] = {{"", 1},
                              {"k", 1024},
                              {"m", std::uint64_t{1} << 20},
                              {"g", std::uint64_t{1} << 30},
                              {"t", std::uint64_t{1} << 40}};
constexpr Unit TimeUnits[] = {{"s", HundredthsPerSecond},
                              {"m", 60 * HundredthsPerSecond},
                              {"min", 60 * HundredthsPerSecond},
                              {"h", 3600 * HundredthsPerSecond}};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view left, std::string_view right) {
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i)
        if (Lower(left[i]) != Lower(right[i]))
            return false;
    return true;
}

// number × unit, rounded down; nothing when the number is none or the product passes 64 bits.
std::optional<std::uint64_t> Scaled(std::string_view number, std::uint64_t unit) {
    const std::size_t point = number.find('.');
    const auto whole = ParseUnsigned64(number.substr(0, point));
    if (point == std::string_view::npos) {
        if (!whole || *whole > UINT64_MAX / unit)
            return std::nullopt;
        return *whole * unit;
    }
    // The whole part may be empty (".5G"); the fraction must have digits.
    const std::string_view fraction = number.substr(point + 1);
    const auto fractionValue = ParseDecimal("0." + std::string(fraction));
    if ((point > 0 && !whole) || fraction.empty() || !fractionValue ||
        fraction.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const std::uint64_t wholePart = point > 0 ? *whole : 0;
    if (wholePart > UINT64_MAX / unit)
        return std::nullopt;
    const auto part =
        static_cast<std::uint64_t>(std::floor(*fractionValue * static_cast<double>(unit)));
    if (wholePart * unit > UINT64_MAX - part)
        return std::nullopt;
    return wholePart * unit + part;
}

}  // namespace

std::variant<std::uint64_t, std::string> ParseCapacity(std::string_view text, bool music) {
    if (const auto preset = FindPresetByName(text)) {
        if (preset->Music != music)
            return "--capacity " + std::string(text) +
                   (music ? " is a data medium; a music collection needs a playing time"
                          : " is a playing time; it needs --music");
        return preset->Capacity;
    }
    const std::size_t numberEnd = text.find_first_not_of("0123456789.");
    const std::string_view number = text.substr(0, numberEnd);
    const std::string_view suffix =
        numberEnd == std::string_view::npos ? "" : text.substr(numberEnd);
    const std::span<const Unit> units =
        music ? std::span<const Unit>(TimeUnits) : std::span<const Unit>(ByteUnits);
    for (const Unit& unit : units) {
        // Byte units in any letter case; time units as written, so that m stays minutes.
        if (music ? suffix != unit.Suffix : !EqualIgnoringCase(suffix, unit.Suffix))
            continue;
        const auto value = Scaled(number, unit.Size);
        if (!value)
            break;
        if (*value == 0)
            return std::string("the capacity must be greater than 0");
        return *value;
    }
    return "--capacity: not a capacity: \"" + std::string(text) + "\" (" +
           (music ? "a number with s, m, min or h, or audio74, audio80, tape45"
                  : "bytes, a number with K, M, G or T, or cd650, cd700, cd800, dvd, floppy") +
           ")";
}

std::variant<std::uint32_t, std::string> ParsePause(std::string_view text) {
    const auto seconds = ParseDecimal(text);
    const auto pause = seconds ? SongPauseOf(*seconds) : std::nullopt;
    if (!pause)
        return std::string("--pause needs a number of seconds from 0 to 10");
    return *pause;
}
