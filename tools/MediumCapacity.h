// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

// A medium's capacity as the command line gives it: a preset's name (cd700, audio80, ...), or a
// number with a unit. Bytes: a plain number, or one followed by K, M, G or T (powers of 1024, in
// any letter case), such as 700M or 4.38G. Playing time, in hundredths of a second: a number
// followed by s, m or min, or h, such as 80min or 4800s. A fraction is rounded down to a whole
// byte or hundredth. The result is above 0 and fits 64 bits, or it is a message naming the
// problem.
std::variant<std::uint64_t, std::string> ParseCapacity(std::string_view text, bool music);

// A pause in seconds (0 to 10, as the window allows) in hundredths of a second, truncated; or a
// message when the text is no such number.
std::variant<std::uint32_t, std::string> ParsePause(std::string_view text);
