// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The local files as an image takes them, looked at one by one (folders are listed through
// TreeWalker.h): links described as themselves, never followed.

enum class LocalKind { File, Folder, Link, Other };  // Other: devices, FIFOs, sockets

struct LocalEntry {
    LocalKind Kind = LocalKind::Other;
    std::uint64_t Length = 0;  // a file's bytes, a link's own length
};

// The entry at path; nothing when it cannot be examined.
std::optional<LocalEntry> ReadLocalEntry(const std::string& path);

// What the link at path points to; nothing when it is no link or cannot be read.
std::optional<std::string> ReadLocalLink(const std::string& path);

// The path an existing entry has with every link on the way resolved; nothing when it does not
// exist.
std::optional<std::string> ResolveLocalPath(const std::string& path);

// A local path in the form libisofs's local file system reads it: composed from a root "/" and
// components split at "/" ("/C:/folder/name" on Windows, where "/UNC/server/share/name" stands for
// a network path).
std::string IsoLocalPath(const std::string& path);
