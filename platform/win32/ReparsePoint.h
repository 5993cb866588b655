// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// A symbolic link or junction copied as itself: its reparse data (what it leads to, relative or
// not, as the system keeps it) read from one entry and given to a new one.

// The reparse data of the link at path, read as itself; nothing, with the system's error, when it
// cannot be read (no link, or a system that keeps no reparse data: wine).
std::optional<std::string> ReadReparseData(const std::string& path, DWORD& error);

// Makes a new hidden entry under a temporary name beside target (a folder when folder) carrying the
// reparse data, and gives it the attributes given (hidden, read-only…); its path goes to temp.
// Checked after it is made, as a system may report success and make no link: false with the
// system's error, leaving nothing behind, when there is no link.
bool MakeReparsePointBeside(const std::string& target, const std::string& data, bool folder,
                            DWORD attributes, std::string& temp, DWORD& error);
