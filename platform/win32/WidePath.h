// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Paths and texts are UTF-8 inside the program and UTF-16 at the Win32 boundary: every system call
// is the wide one, and every path goes to it in the form that lifts the length limit.

// The UTF-16 form of a UTF-8 text; invalid bytes become U+FFFD, so a broken name never matches an
// existing file by accident.
std::wstring Widen(const std::string& utf8);

// The UTF-8 form of a UTF-16 text.
std::string Narrow(const std::wstring& utf16);

// The full path in the "\\?\" form ("\\?\C:\…", "\\?\UNC\server\share\…"), "." and ".." resolved
// and "/" taken as "\", so that paths longer than 260 characters work.
std::wstring LongPath(const std::string& utf8);

// The pattern that lists every entry of a folder ("\\?\C:\folder\*"), however the folder's
// path ends.
std::wstring ListingPattern(const std::string& folder);

// The system's explanation of an error code, in UTF-8.
std::string SystemMessage(unsigned long error);
