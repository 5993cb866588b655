// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/Utf8Path.h"

// Entries the tree rule treats apart, made the way the platform marks them: a system entry (a FIFO,
// a file with the system attribute on Windows) and a symbolic link. (Hidden entries: TempFolder.)

// Makes a system entry at path: neither a file, a folder nor a link of the user's.
inline void MakeSystemEntry(const std::string& path) {
#ifdef _WIN32
    std::ofstream(Utf8Path(path), std::ios::binary).put('x');
    EXPECT_NE(::SetFileAttributesW(Utf8Path(path).c_str(), FILE_ATTRIBUTE_SYSTEM), 0) << path;
#else
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
#endif
}

// Makes a symbolic link at link pointing to target as written; false where the system makes none
// (Windows without the right to, wine, which reports success and makes nothing).
inline bool MakeSymbolicLink(const std::string& target, const std::string& link) {
#ifdef _WIN32
    const std::filesystem::path wide = Utf8Path(link);
    const std::filesystem::path to = Utf8Path(target).make_preferred();
    std::error_code error;
    const bool folder = std::filesystem::is_directory(wide.parent_path() / to, error);
    ::CreateSymbolicLinkW(
        wide.c_str(), to.c_str(),
        SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE | (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0));
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
#else
    EXPECT_EQ(::symlink(target.c_str(), link.c_str()), 0) << link;
    return true;
#endif
}

// Makes the link or skips the test where the system makes none.
#define MAKE_LINK_OR_SKIP(target, link)      \
    if (!MakeSymbolicLink((target), (link))) \
    GTEST_SKIP() << "this system makes no symbolic links"
