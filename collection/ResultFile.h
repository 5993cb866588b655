// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

class Prompter;

// What the results' files are named after their medium's prefix and number.
inline constexpr std::string_view TextListExtension = ".txt";
inline constexpr std::string_view ImageExtension = ".iso";
inline constexpr std::string_view ChecksumListExtension = ".sha256";

// Writes a file of the results (a list, a playlist, a checksum list) in one step: a temporary
// file renamed into place when whole, so a file that cannot be written, or only in part (a full
// disk), leaves nothing under its name and the old file as it was. Tells the user and returns
// false when it could not be written.
bool WriteResultFile(Prompter& prompter, const std::string& path, const std::string& text);

// Tells the user that the file could not be written; false.
bool TellResultFileNotWritten(Prompter& prompter, const std::string& path);
