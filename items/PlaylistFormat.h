// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

// The extended M3U dialect the data manager reads and writes: the reader and the writer agree
// on these, and on playing times counted in whole seconds.
inline constexpr std::string_view PlaylistExtension = ".m3u";
inline constexpr std::string_view PlaylistHeader = "#EXTM3U";
inline constexpr std::string_view InformationPrefix = "#EXTINF:";

// Sizes of tracks are hundredths of a second.
inline constexpr std::uint64_t HundredthsPerSecond = 100;
