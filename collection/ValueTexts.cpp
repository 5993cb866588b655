// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/ValueTexts.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "items/PlaylistFormat.h"

namespace {

// The units of sizes by language: bytes, kilobytes, megabytes, gigabytes.
struct SizeUnits {
    const char* Byte;
    const char* Kilobyte;
    const char* Megabyte;
    const char* Gigabyte;
};
constexpr SizeUnits RussianUnits{" Б", " кБ", " МБ", " ГБ"};
constexpr SizeUnits EnglishUnits{" B", " KB", " MB", " GB"};

constexpr std::uint64_t Kilobyte = 1024;
constexpr std::uint64_t Megabyte = Kilobyte * 1024;
constexpr std::uint64_t Gigabyte = Megabyte * 1024;

// A size as a quotient of its unit: the division in extended precision, the quotient then
// rounded to single precision, so a value just below the next unit shows as 1024 of this one.
std::string ScaledText(std::uint64_t value, std::uint64_t unit, const char* unitText) {
    const long double quotient = static_cast<long double>(value) / static_cast<long double>(unit);
    return ScaledNumberText(static_cast<float>(quotient)) + unitText;
}

std::string PlayingTimeText(std::uint64_t hundredths) {
    const std::uint64_t seconds = hundredths / HundredthsPerSecond;
    const std::uint64_t hours = seconds / 3600;
    const auto minutes = static_cast<unsigned>((seconds % 3600) / 60);
    const auto restSeconds = static_cast<unsigned>(seconds % 60);
    std::string text;
    if (hours > 0)
        text = std::to_string(hours) + ":";
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.2u:%.2u", minutes, restSeconds);
    return text + buffer;
}

}  // namespace

std::string ValueTextOf(CollectionKind type, std::uint64_t value, TextLanguage language) {
    const SizeUnits& units = language == TextLanguage::English ? EnglishUnits : RussianUnits;
    switch (type) {
        case FilesAndFolders:
            if (value >= Gigabyte)
                return ScaledText(value, Gigabyte, units.Gigabyte);
            if (value >= Megabyte)
                return ScaledText(value, Megabyte, units.Megabyte);
            if (value >= Kilobyte)
                return ScaledText(value, Kilobyte, units.Kilobyte);
            return std::to_string(value) + units.Byte;
        case MusicTracks:
            return PlayingTimeText(value);
        default:
            return std::string();
    }
}

std::string PreciseSizeText(std::uint64_t bytes, TextLanguage language) {
    const SizeUnits& units = language == TextLanguage::English ? EnglishUnits : RussianUnits;
    const struct {
        std::uint64_t Size;
        const char* Text;
    } Units[] = {
        {Gigabyte, units.Gigabyte}, {Megabyte, units.Megabyte}, {Kilobyte, units.Kilobyte}};
    for (const auto& unit : Units) {
        if (bytes < unit.Size)
            continue;
        const double quotient = static_cast<double>(static_cast<long double>(bytes) /
                                                    static_cast<long double>(unit.Size));
        char buffer[64];
        const auto result =
            std::to_chars(buffer, buffer + sizeof buffer, quotient, std::chars_format::fixed, 2);
        return std::string(buffer, result.ptr) + unit.Text;
    }
    return std::to_string(bytes) + units.Byte;
}

std::string GroupText(std::uint32_t group, TextLanguage language) {
    if (group != 0)
        return std::to_string(group);
    return language == TextLanguage::English ? "none" : "нет";
}

std::string ScaledNumberText(float value) {
    const int decimals = value >= 100.0F ? 0 : (value >= 10.0F ? 1 : 2);
    // Ordinary rounding: an exact half goes away from zero, where printf would go to the even
    // digit. The value times 10^decimals is exact in double (24 + 7 bits), so the half is
    // decided on the float's exact value; every other value is rounded as printf does.
    constexpr double Scales[] = {1.0, 10.0, 100.0};
    const double scaled = std::fabs(static_cast<double>(value)) * Scales[decimals];
    const double whole = std::floor(scaled);
    double shown = static_cast<double>(value);
    if (scaled - whole == 0.5)
        shown = std::copysign((whole + 1.0) / Scales[decimals], shown);
    // Always a point as the decimal separator, whatever the process locale says. The quotient
    // above is the nearest double to a number with that many decimals, so it prints as it.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, shown, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return std::string();
    return std::string(buffer, result.ptr);
}
