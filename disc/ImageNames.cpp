// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/ImageNames.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// The code points of a name; nothing when it is not valid UTF-8.
std::optional<std::vector<char32_t>> CodePoints(std::string_view text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || i + length > text.size())
            return std::nullopt;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            point = (point << 6) | (next & 0x3F);
        }
        points.push_back(point);
        i += length;
    }
    return points;
}

// ISO 9660 d-characters: what libisofs keeps of a name, in capitals; anything else becomes '_'.
char IsoCharacter(char32_t point) {
    const char32_t upper = point >= 'a' && point <= 'z' ? point - 'a' + 'A' : point;
    const bool kept = (upper >= 'A' && upper <= 'Z') || (upper >= '0' && upper <= '9');
    return kept ? static_cast<char>(upper) : '_';
}

std::string IsoCharacters(const std::vector<char32_t>& points, std::size_t from,
                          std::size_t count) {
    std::string text;
    for (std::size_t i = from; i < from + count; ++i)
        text += IsoCharacter(points[i]);
    return text;
}

// A folder keeps its first 31 characters. A file keeps up to 30 characters of name and extension
// around its last dot (the extension at least 3 of them when both do not fit); a file without an
// extension gets a dot at its end.
std::string IsoForm(const std::vector<char32_t>& points, bool folder) {
    const std::size_t length = points.size();
    if (folder)
        return IsoCharacters(points, 0, std::min(length, IsoNameLimit));
    const auto dot = std::find(points.rbegin(), points.rend(), U'.');
    if (dot == points.rend() || dot == points.rbegin())
        return IsoCharacters(points, 0, std::min(length, IsoNameLimit - 1)) + ".";
    const std::size_t extension = static_cast<std::size_t>(dot - points.rbegin());
    const std::size_t stem = length - extension - 1;
    const bool shortened = length > IsoNameLimit;
    const std::size_t keptExtension = shortened && extension > 3
                                          ? (stem < IsoNameLimit - 4 ? IsoNameLimit - 1 - stem : 3)
                                          : extension;
    const std::size_t keptStem = shortened ? IsoNameLimit - 1 - keptExtension : stem;
    return IsoCharacters(points, 0, keptStem) + "." +
           IsoCharacters(points, stem + 1, keptExtension);
}

bool IsJolietCharacter(char32_t point) {
    return point >= U' ' && point != U'*' && point != U'/' && point != U':' && point != U';' &&
           point != U'?' && point != U'\\';
}

// A Joliet identifier's characters as UTF-8, with '_' for those Joliet does not take.
std::string JolietCharacters(const std::vector<char32_t>& points, std::size_t from,
                             std::size_t count) {
    std::string text;
    for (std::size_t i = from; i < from + count; ++i) {
        const char32_t point = IsJolietCharacter(points[i]) ? points[i] : U'_';
        if (point < 0x80) {
            text += static_cast<char>(point);
        } else if (point < 0x800) {
            text += static_cast<char>(0xC0 | (point >> 6));
            text += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            text += static_cast<char>(0xE0 | (point >> 12));
            text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return text;
}

// As the ISO 9660 identifier, with Joliet's limits: 103 characters of name and extension.
std::pair<std::string, std::size_t> JolietForm(const std::vector<char32_t>& points, bool folder) {
    const std::size_t length = points.size();
    const std::size_t limit = JolietFolderLimit;
    if (folder) {
        const std::size_t kept = std::min(length, limit);
        return {JolietCharacters(points, 0, kept), kept};
    }
    const auto dot = std::find(points.rbegin(), points.rend(), U'.');
    if (dot == points.rend() || dot == points.rbegin()) {
        const std::size_t kept = std::min(length, limit);
        return {JolietCharacters(points, 0, kept) + ".", kept + 1};
    }
    const std::size_t extension = static_cast<std::size_t>(dot - points.rbegin());
    const std::size_t stem = length - extension - 1;
    const bool shortened = length > limit + 1;
    const std::size_t keptExtension =
        shortened && extension > 3 ? (stem < limit - 3 ? limit - stem : 3) : extension;
    const std::size_t keptStem = shortened ? limit - keptExtension : stem;
    return {JolietCharacters(points, 0, keptStem) + "." +
                JolietCharacters(points, stem + 1, keptExtension),
            keptStem + 1 + keptExtension};
}

// The name's bytes, one character each: what libisofs makes of a name that is not UTF-8 at most.
ImageName Unknown(const std::string& name, bool folder, std::size_t folderLimit,
                  std::size_t fileLimit) {
    return {name, std::min(name.size() + (folder ? 0 : 1), folder ? folderLimit : fileLimit), false,
            false};
}

}  // namespace

ImageName IsoName(const std::string& name, bool folder) {
    const auto points = CodePoints(name);
    if (!points)
        return Unknown(name, folder, IsoNameLimit, IsoNameLimit);
    ImageName result;
    result.Form = IsoForm(*points, folder);
    result.Length = result.Form.size();
    return result;
}

ImageName JolietName(const std::string& name, bool folder) {
    const auto points = CodePoints(name);
    // Characters beyond UCS-2 are not kept as they are either.
    if (!points ||
        std::any_of(points->begin(), points->end(), [](char32_t point) { return point > 0xFFFF; }))
        return Unknown(name, folder, JolietFolderLimit, JolietFileLimit);
    ImageName result;
    std::tie(result.Form, result.Length) = JolietForm(*points, folder);
    // A folder's name ending in a dot is the identifier of a file without one.
    result.Exact = (result.Form == name && !(folder && name.back() == '.')) ||
                   (!folder && result.Form == name + "." && name.back() != '.');
    return result;
}

std::size_t MangleRoom(std::size_t length, std::size_t limit) {
    return length >= limit ? 0 : std::min(MangleDigits, limit - length);
}
