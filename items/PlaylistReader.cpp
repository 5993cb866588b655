// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/PlaylistReader.h"

#include <climits>
#include <iterator>
#include <string_view>
#include <utility>

#include "items/PlaylistFormat.h"
#include "platform/NumberParsing.h"

namespace {

// The information prefix itself is not checked; the playing time starts after it.
constexpr std::size_t InformationPrefixLength = InformationPrefix.size();

// The text read as a signed 32-bit integer (leading blanks allowed); 0 when it is not one.
std::int64_t SecondsOf(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    const auto value = ParseSigned64(text);
    if (!value || *value < -INT32_MAX || *value > INT32_MAX)
        return 0;  // out of range is not an integer either
    return *value;
}

}  // namespace

std::vector<PlaylistEntry> ReadPlaylistEntries(const std::vector<std::string>& lines,
                                               CollectionKind kind) {
    std::vector<PlaylistEntry> entries;
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        PlaylistEntry entry;
        if (!line->empty() && line->front() == '#') {
            if (kind == MusicTracks) {
                const auto comma = line->find(',');
                if (line->size() > InformationPrefixLength &&
                    (comma == std::string::npos || comma > InformationPrefixLength)) {
                    const std::size_t length = comma == std::string::npos
                                                   ? std::string::npos
                                                   : comma - InformationPrefixLength;
                    entry.Seconds =
                        SecondsOf(std::string_view(*line).substr(InformationPrefixLength, length));
                }
                entry.Title = comma == std::string::npos ? *line : line->substr(comma + 1);
            }
            // The next line is the location whatever it holds; none at the end of the file.
            if (std::next(line) != lines.end())
                entry.Location = *++line;
        } else {
            entry.Location = *line;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}
