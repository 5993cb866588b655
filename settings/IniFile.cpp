// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/IniFile.h"

#include <cctype>

namespace {

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

}  // namespace

IniText::IniText(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Lines.push_back(std::move(line));
        start = end + 1;
    }
}

std::optional<IniText::SectionRange> IniText::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        const auto name = SectionOf(Lines[i]);
        if (!name || !EqualIgnoringCase(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < Lines.size() && !SectionOf(Lines[end]))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::string> IniText::Get(std::string_view section, std::string_view key) const {
    const auto range = FindSection(section);
    if (!range)
        return std::nullopt;
    for (std::size_t i = range->Header + 1; i < range->End; ++i) {
        const auto lineKey = KeyOf(Lines[i]);
        if (lineKey && EqualIgnoringCase(*lineKey, key)) {
            const std::string_view line = Lines[i];
            return std::string(Trim(line.substr(line.find('=') + 1)));
        }
    }
    return std::nullopt;
}

void IniText::Set(std::string_view section, std::string_view key, const std::string& value) {
    std::string line = std::string(key) + "=" + value.substr(0, value.find_first_of("\r\n"));
    auto range = FindSection(section);
    if (!range) {
        if (!Lines.empty() && !Trim(Lines.back()).empty())
            Lines.emplace_back();
        Lines.push_back("[" + std::string(section) + "]");
        range = SectionRange{Lines.size() - 1, Lines.size()};
    }
    std::size_t insertAt = range->Header + 1;
    for (std::size_t i = range->Header + 1; i < range->End; ++i) {
        const auto lineKey = KeyOf(Lines[i]);
        if (lineKey && EqualIgnoringCase(*lineKey, key)) {
            Lines[i] = std::move(line);
            return;
        }
        if (!Trim(Lines[i]).empty())
            insertAt = i + 1;
    }
    Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

std::string IniText::Text() const {
    std::string text;
    for (const auto& line : Lines) {
        text += line;
        text += LineEnd;
    }
    return text;
}
