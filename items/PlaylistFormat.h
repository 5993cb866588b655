// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The extended M3U dialect the data manager reads and writes: the reader and the writer agree
// on these, and on playing times counted in whole seconds.
inline constexpr std::string_view PlaylistExtension = ".m3u";
inline constexpr std::string_view PlaylistHeader = "#EXTM3U";
inline constexpr std::string_view InformationPrefix = "#EXTINF:";

// Sizes of tracks are hundredths of a second.
inline constexpr std::uint64_t HundredthsPerSecond = 100;

// Whether the path ends in the playlist extension, ASCII letters in any case ("LIST.M3U" does,
// "list.m3u8" does not).
bool HasPlaylistExtension(const std::string& path);
