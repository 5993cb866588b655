// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "items/CollectionKind.h"

// One entry of an extended M3U playlist, as it is written.
struct PlaylistEntry {
    std::string Location;
    // Read for tracks only: the text after the information line's comma (the whole line without
    // one) and the playing time in whole seconds (0 where it is no integer).
    std::string Title;
    std::int64_t Seconds = 0;
};

// The entries of a playlist's lines after its header: a line starting with '#' takes the next
// line as its location, whatever that holds (none at the end); any other line is a location.
// Titles and times are read for music tracks only.
std::vector<PlaylistEntry> ReadPlaylistEntries(const std::vector<std::string>& lines,
                                               CollectionKind kind);
