// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Paths taken apart and put together as text, without asking the file system.

// The platform's path delimiter, whether its file systems tell two names apart that differ only
// in letter case (Windows: no, "Song.mp3" and "song.mp3" are one file), and whether a path may
// begin with a drive letter and its colon ("C:").
#ifdef _WIN32
inline constexpr char PathDelimiter = '\\';
inline constexpr bool PathsTellCaseApart = false;
inline constexpr bool PathsHaveDriveLetters = true;
#else
inline constexpr char PathDelimiter = '/';
inline constexpr bool PathsTellCaseApart = true;
inline constexpr bool PathsHaveDriveLetters = false;
#endif

// Every character that separates a path's components: Windows takes "/" as well as its own "\",
// so a path a user writes either way is taken apart alike.
#ifdef _WIN32
inline constexpr std::string_view PathDelimiters = "\\/";
#else
inline constexpr std::string_view PathDelimiters = "/";
#endif

inline bool IsPathDelimiter(char c) {
    return PathDelimiters.find(c) != std::string_view::npos;
}

// The path with one delimiter appended when it does not end in one.
std::string WithTrailingDelimiter(const std::string& path);

// The path without the delimiters it ends in; the root folder stays "/".
std::string WithoutTrailingDelimiter(std::string path);

// What follows the last delimiter (the whole path when it has none).
std::string LastComponent(const std::string& path);

// The folder a path lies in: "." for a bare name, "/" for an entry of the root folder.
std::string ParentFolder(const std::string& path);

// A name inside a folder.
std::string JoinPath(const std::string& folder, const std::string& name);
