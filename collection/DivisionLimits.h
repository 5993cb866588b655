// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A division's settings as a new user finds them, in the window and on the command line alike,
// and the ranges the Division page allows.

inline constexpr std::uint64_t DefaultDataCapacity = 734003200;  // 700 МБ
inline constexpr std::uint64_t DefaultAudioCapacity = 480000;    // 80 minutes in hundredths
inline constexpr std::uint32_t DefaultSongPause = 150;           // hundredths of a second
inline constexpr float DefaultTolerance = 99.9F;                 // percent
inline constexpr std::string_view DefaultMediumName = "disk";

// The tolerance a medium is filled to, in percent.
inline constexpr double MinTolerance = 80;
inline constexpr double MaxTolerance = 100;
// The pause counted after every track, in seconds.
inline constexpr double MaxSongPauseSeconds = 10;

// Whether the tolerance lies in the range the Division page allows.
bool IsToleranceAllowed(double percent);

// A pause in seconds as hundredths, truncated from ten-thousandths as the Division page's field
// holds it (1.2345 s is 123, and 0.29 s is 29 however the double rounds); nothing outside the
// range the page allows.
std::optional<std::uint32_t> SongPauseOf(double seconds);
// The same from the field's ten-thousandths.
std::uint32_t SongPauseOfTenThousandths(std::int64_t tenThousandths);
