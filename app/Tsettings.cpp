#include "Tsettings.h"

#include <unistd.h>

#include <array>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "AtomicFile.h"
#include "Prompter.h"

namespace {

// Texts of this module.
constexpr std::string_view SectionName = "Global";
constexpr const char* SaveFailedText = "Не удалось сохранить настройки";

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

constexpr char LineEnd[] = "\r\n";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool EqualIgnoringCase(std::string_view left, std::string_view right) {
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(left[i])) !=
            std::tolower(static_cast<unsigned char>(right[i])))
            return false;
    }
    return true;
}

// The file as lines without their line ends (LF or CR LF).
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// The key of a "key=value" line, or nothing for comments and other lines.
std::optional<std::string_view> KeyOf(std::string_view line) {
    const auto trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#' ||
        trimmed.front() == '[')
        return std::nullopt;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(0, equals));
}

// The lines [begin, end) of the first "Global" section, begin being the line after its header;
// nothing when there is no such section.
struct SectionRange {
    std::size_t Header = 0;
    std::size_t End = 0;
};

std::optional<SectionRange> FindSection(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionOf(lines[i]);
        if (!name || !EqualIgnoringCase(*name, SectionName))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionOf(lines[end]))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

// The values of the "Global" section, first occurrence of each key.
class SectionValues {
public:
    explicit SectionValues(const std::string& text)
        : Lines(SplitLines(text)), Range(FindSection(Lines)) {}

    std::optional<std::string> Get(std::string_view key) const {
        if (!Range)
            return std::nullopt;
        for (std::size_t i = Range->Header + 1; i < Range->End; ++i) {
            const auto lineKey = KeyOf(Lines[i]);
            if (lineKey && EqualIgnoringCase(*lineKey, key)) {
                const std::string_view line = Lines[i];
                return std::string(Trim(line.substr(line.find('=') + 1)));
            }
        }
        return std::nullopt;
    }

private:
    std::vector<std::string> Lines;
    std::optional<SectionRange> Range;
};

template <typename Number>
std::optional<Number> ParseWhole(std::string_view text) {
    // One sign at most: a "+" may stand where a "-" could, never in front of one.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> ParseSigned(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    return ParseWhole<std::int64_t>(*text);
}

// Capacities are written as full unsigned 64-bit decimals. A negative value can only come from a
// file that held them as signed 32-bit numbers; it is sign-extended as such a file meant it.
std::optional<std::uint64_t> ParseCapacity(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    if (!text->empty() && text->front() == '-') {
        const auto value = ParseWhole<std::int64_t>(*text);
        if (!value || *value < std::numeric_limits<std::int32_t>::min())
            return std::nullopt;
        return static_cast<std::uint64_t>(*value);
    }
    return ParseWhole<std::uint64_t>(*text);
}

// A song pause is a 32-bit number, written unsigned; a negative 32-bit value wraps as it did.
std::optional<std::uint32_t> ParsePause(const std::optional<std::string>& text) {
    const auto value = ParseSigned(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

// A value goes on one line: a line break in it would start a line of its own in the file.
std::string OneLine(const std::string& value) {
    return value.substr(0, value.find_first_of("\r\n"));
}

bool IsWritableFolder(const std::string& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

std::string ExecutablePath() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

}  // namespace

std::string SettingsPathFor(const std::string& executable, const std::string& configFolder) {
    std::filesystem::path path(executable);
    path.replace_extension(".ini");
    const auto folder = path.parent_path().string();
    if (IsWritableFolder(folder.empty() ? "." : folder))
        return path.string();
    return (std::filesystem::path(configFolder) / path.filename()).string();
}

std::string UserConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config";
}

std::string DefaultResultsBaseDir() {
    const char* home = std::getenv("HOME");
    std::string folder = home != nullptr ? home : "";
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder + "CDRs/";
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
    std::string normalized(Trim(text));
    for (char& c : normalized) {
        if (c == ',')
            c = '.';
    }
    const auto value = ParseWhole<double>(normalized);
    if (!value || !std::isfinite(*value))
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

TSettings::TSettings() : TSettings(SettingsPathFor(ExecutablePath(), UserConfigFolder())) {}

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
    const SectionValues values(text);

    if (const auto value = ParseSigned(values.Get(KeyAutoSave)))
        AutoSave = *value != 0;
    if (const auto value = ParseSigned(values.Get(KeyCollectionType)))
        CollectionType = static_cast<std::uint8_t>(*value);
    if (const auto value = ParseSigned(values.Get(KeyFilesAddMethod)))
        FilesAddMethod = static_cast<std::uint8_t>(*value);
    if (const auto value = ParseSigned(values.Get(KeySongsAddMethod)))
        SongsAddMethod = static_cast<std::uint8_t>(*value);
    if (const auto value = ParseCapacity(values.Get(KeyDataMediumCapacity)))
        DataMediumCapacity = *value;
    if (const auto value = ParseCapacity(values.Get(KeyAudioMediumCapacity)))
        AudioMediumCapacity = *value;
    if (const auto value = ParsePause(values.Get(KeySongPause)))
        SongPause = *value;
    if (const auto value = values.Get(KeyCapacityTolerance))
        ParseTolerance(*value, CapacityTolerance);
    if (const auto value = values.Get(KeyResultsBaseDir))
        ResultsBaseDir = *value;
    if (const auto value = values.Get(KeyMediumName))
        MediumName = *value;
}

bool TSettings::Save() {
    const std::array<std::pair<std::string_view, std::string>, 10> entries{{
        {KeyAutoSave, AutoSave ? "1" : "0"},
        {KeyCollectionType, std::to_string(CollectionType)},
        {KeyFilesAddMethod, std::to_string(FilesAddMethod)},
        {KeySongsAddMethod, std::to_string(SongsAddMethod)},
        {KeyDataMediumCapacity, std::to_string(DataMediumCapacity)},
        {KeyAudioMediumCapacity, std::to_string(AudioMediumCapacity)},
        {KeySongPause, std::to_string(SongPause)},
        {KeyCapacityTolerance, ToleranceText(CapacityTolerance, SystemDecimalSeparator())},
        {KeyResultsBaseDir, OneLine(ResultsBaseDir)},
        {KeyMediumName, OneLine(MediumName)},
    }};

    auto report = [this] {
        if (Reporter != nullptr)
            Reporter->MessageBox(SaveFailedText, PromptIcon::Exclamation, {PromptButton::Ok},
                                 PromptButton::Ok);
        return false;
    };

    // Every other section, key and comment of an existing file stays as it is; a file that
    // exists but cannot be read is not replaced, or they would be lost.
    std::string existing;
    bool missing = false;
    if (!ReadWholeFile(Path, existing, missing) && !missing)
        return report();
    std::vector<std::string> lines = SplitLines(existing);

    auto section = FindSection(lines);
    if (!section) {
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.emplace_back();
        std::string header = "[";
        header.append(SectionName).append("]");
        lines.push_back(std::move(header));
        section = SectionRange{lines.size() - 1, lines.size()};
    }
    // Keys already present are rewritten where they stand; missing ones follow the section's
    // last key line in the order above.
    std::size_t insertAt = section->Header + 1;
    for (std::size_t i = section->Header + 1; i < section->End; ++i) {
        if (!Trim(lines[i]).empty())
            insertAt = i + 1;
    }
    for (const auto& [key, value] : entries) {
        std::string line = std::string(key) + "=" + value;
        bool replaced = false;
        for (std::size_t i = section->Header + 1; i < section->End && !replaced; ++i) {
            const auto lineKey = KeyOf(lines[i]);
            if (lineKey && EqualIgnoringCase(*lineKey, key)) {
                lines[i] = std::move(line);
                replaced = true;
            }
        }
        if (!replaced) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
            ++insertAt;
            ++section->End;
        }
    }

    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += LineEnd;
    }

    std::error_code ignored;
    const auto folder = std::filesystem::path(Path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, ignored);
    std::string reason;
    if (!ReplaceFileAtomically(Path, text, reason))
        return report();
    return true;
}
