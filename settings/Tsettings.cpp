// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Tsettings.h"

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/NumberParsing.h"
#include "platform/Prompter.h"
#include "platform/Utf8Path.h"
#include "settings/IniFile.h"
#include "settings/UserFolders.h"

namespace {

// Texts of this module.
constexpr std::string_view SectionName = "Global";

constexpr std::string_view KeyAutoSave = "AutoSave";
constexpr std::string_view KeyCollectionType = "CollectionType";
constexpr std::string_view KeyFilesAddMethod = "FilesAddMethod";
constexpr std::string_view KeySongsAddMethod = "SongsAddMethod";
constexpr std::string_view KeyDataMediumCapacity = "DataMediumCapacity";
constexpr std::string_view KeyAudioMediumCapacity = "AudioMediumCapacity";
constexpr std::string_view KeySongPause = "SongPause";
constexpr std::string_view KeyCapacityTolerance = "CapacityTolerance";
constexpr std::string_view KeyResultsBaseDir = "ResultsBaseDir";
constexpr std::string_view KeyMediumName = "MediumName";
constexpr std::string_view KeyDiscFootprint = "DiscFootprint";
constexpr std::string_view KeyChecksumLists = "ChecksumLists";
constexpr std::string_view KeyCountHidden = "CountHidden";
constexpr std::string_view KeyLanguage = "Language";
constexpr std::string_view KeyDivisionMethod = "DivisionMethod";

// Capacities are written as full unsigned 64-bit decimals. A negative value can only come from a
// file that held them as signed 32-bit numbers; it is sign-extended as such a file meant it.
std::optional<std::uint64_t> ParseCapacity(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    if (!text->empty() && text->front() == '-') {
        const auto value = ParseSigned64(*text);
        if (!value || *value < std::numeric_limits<std::int32_t>::min())
            return std::nullopt;
        return static_cast<std::uint64_t>(*value);
    }
    return ParseUnsigned64(*text, true);
}

std::optional<std::int64_t> ParseSigned(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    return ParseSigned64(*text);
}

// A song pause is a 32-bit number, written unsigned; a negative 32-bit value wraps as it did.
std::optional<std::uint32_t> ParsePause(const std::optional<std::string>& text) {
    const auto value = ParseSigned(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

}  // namespace

std::string SettingsPathFor(const std::string& executable, const std::string& configHome,
                            std::uint32_t user) {
    std::filesystem::path path = Utf8Path(executable);
    path.replace_extension(".ini");
    std::string folder = Utf8Text(path.parent_path().lexically_normal());
    if (folder.empty())
        folder = ".";
    // A program installed for the system never writes beside itself, whoever runs it.
    if (!IsSystemProgramFolder(folder) && OwnerOf(folder) == user && CanWrite(folder))
        return Utf8Text(path);
    return Utf8Text(Utf8Path(configHome) / ProgramConfigFolderName() / path.filename());
}

std::string SettingsFileFor(const std::string& executable, const std::string& configHome,
                            std::uint32_t user) {
    const std::string path = SettingsPathFor(executable, configHome, user);
    // Earlier versions kept the file straight in the configuration folder: its settings are
    // read once and from then on live in the new place.
    const std::string old = Utf8Text(Utf8Path(configHome) / Utf8Path(path).filename());
    std::string text;
    bool missing = false;
    if (path != old && !ReadWholeFile(path, text, missing) && missing &&
        ReadWholeFile(old, text, missing)) {
        std::error_code ignored;
        std::filesystem::create_directories(Utf8Path(path).parent_path(), ignored);
        std::string reason;
        ReplaceFileAtomically(path, text, reason);
    }
    return path;
}

std::string ToleranceText(float tolerance, char decimalSeparator) {
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<double>(tolerance),
                      std::chars_format::general, 15);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c == '.')
            c = decimalSeparator;
    }
    return text;
}

bool ParseTolerance(const std::string& text, float& tolerance) {
    const auto value = ParseDecimal(text, {.Sign = true, .Comma = true, .Exponent = true});
    if (!value)
        return false;
    const auto single = static_cast<float>(*value);
    if (!std::isfinite(single))
        return false;
    tolerance = single;
    return true;
}

char SystemDecimalSeparator() {
    const std::lconv* conventions = std::localeconv();
    if (conventions == nullptr || conventions->decimal_point == nullptr ||
        conventions->decimal_point[0] == '\0')
        return '.';
    return conventions->decimal_point[0];
}

TSettings::TSettings()
    : TSettings(SettingsFileFor(ExecutablePath(), UserConfigFolder(), EffectiveUser())) {}

TSettings::TSettings(std::string path)
    : ResultsBaseDir(DefaultResultsBaseDir()), Path(std::move(path)) {
    Load();
}

TSettings::~TSettings() {
    if (AutoSave)
        Save();
}

void TSettings::Load() {
    std::string text;
    bool missing = false;
    if (!ReadWholeFile(Path, text, missing))
        return;
    const IniText file(text);
    const auto get = [&file](std::string_view key) { return file.Get(SectionName, key); };

    if (const auto value = ParseSigned(get(KeyAutoSave)))
        AutoSave = *value != 0;
    if (const auto value = ParseSigned(get(KeyCollectionType)))
        CollectionType = static_cast<std::uint8_t>(*value);
    if (const auto value = ParseSigned(get(KeyFilesAddMethod)))
        FilesAddMethod = static_cast<std::uint8_t>(*value);
    if (const auto value = ParseSigned(get(KeySongsAddMethod)))
        SongsAddMethod = static_cast<std::uint8_t>(*value);
    if (const auto value = ParseCapacity(get(KeyDataMediumCapacity)))
        DataMediumCapacity = *value;
    if (const auto value = ParseCapacity(get(KeyAudioMediumCapacity)))
        AudioMediumCapacity = *value;
    if (const auto value = ParsePause(get(KeySongPause)))
        SongPause = *value;
    if (const auto value = get(KeyCapacityTolerance))
        ParseTolerance(*value, CapacityTolerance);
    if (const auto value = get(KeyResultsBaseDir))
        ResultsBaseDir = *value;
    if (const auto value = get(KeyMediumName))
        MediumName = *value;
    if (const auto value = ParseSigned(get(KeyDiscFootprint)))
        DiscFootprint = *value != 0;
    if (const auto value = ParseSigned(get(KeyChecksumLists)))
        ChecksumLists = *value != 0;
    if (const auto value = ParseSigned(get(KeyCountHidden)))
        CountHidden = *value != 0;
    if (const auto value = get(KeyLanguage))
        Language = *value;
    if (const auto value = ParseSigned(get(KeyDivisionMethod)))
        DivisionMethod = *value == 1 ? 1 : 0;  // an unknown way is the default one
}

bool TSettings::Save() {
    const std::array<std::pair<std::string_view, std::string>, 14> entries{{
        {KeyAutoSave, AutoSave ? "1" : "0"},
        {KeyCollectionType, std::to_string(CollectionType)},
        {KeyFilesAddMethod, std::to_string(FilesAddMethod)},
        {KeySongsAddMethod, std::to_string(SongsAddMethod)},
        {KeyDataMediumCapacity, std::to_string(DataMediumCapacity)},
        {KeyAudioMediumCapacity, std::to_string(AudioMediumCapacity)},
        {KeySongPause, std::to_string(SongPause)},
        {KeyCapacityTolerance, ToleranceText(CapacityTolerance, SystemDecimalSeparator())},
        {KeyResultsBaseDir, ResultsBaseDir},
        {KeyMediumName, MediumName},
        {KeyDiscFootprint, DiscFootprint ? "1" : "0"},
        {KeyChecksumLists, ChecksumLists ? "1" : "0"},
        {KeyCountHidden, CountHidden ? "1" : "0"},
        {KeyDivisionMethod, std::to_string(DivisionMethod)},
    }};

    auto report = [this] {
        if (Reporter != nullptr)
            Reporter->Ask(Question(QuestionKind::SettingsNotSaved));
        return false;
    };

    // Every other section, key and comment of an existing file stays as it is; a file that
    // exists but cannot be read is not replaced, or they would be lost.
    std::string existing;
    bool missing = false;
    if (!ReadWholeFile(Path, existing, missing) && !missing)
        return report();
    IniText file(existing);
    for (const auto& [key, value] : entries)
        file.Set(SectionName, key, value);
    const std::string text = file.Text();

    std::error_code ignored;
    const auto folder = Utf8Path(Path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, ignored);
    std::string reason;
    if (!ReplaceFileAtomically(Path, text, reason))
        return report();
    return true;
}
