// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of an INI file, kept line by line so that rewriting some keys keeps every other
// section, key, comment and blank line as it stands. Section and key names compare ignoring
// ASCII letter case; names and values are trimmed of blanks and tabs.
class IniText {
public:
    // Lines end in LF or CR LF.
    explicit IniText(const std::string& text);

    // The value of the first occurrence of key in the first section of that name.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Rewrites the key where it stands, or adds it after the section's last non-blank line (so
    // keys set in turn keep that order); a missing section is added at the end. Only the value's
    // first line is written: a line break would start a key of its own.
    void Set(std::string_view section, std::string_view key, const std::string& value);

    // The whole text, every line ended by CR LF.
    std::string Text() const;

private:
    // The header line of a section and the end of its lines.
    struct SectionRange {
        std::size_t Header = 0;
        std::size_t End = 0;
    };
    std::optional<SectionRange> FindSection(std::string_view section) const;

    std::vector<std::string> Lines;
};
