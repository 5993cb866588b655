// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/PathNames.h"

// The file-system facilities the collection needs, with this platform's meaning of the
// attributes: a name beginning with "." is hidden; anything that is neither a regular file nor a
// directory (device, FIFO, socket) is a system entry.

struct PathAttributes {
    bool Directory = false;
    bool Hidden = false;
    bool System = false;
    std::optional<std::uint64_t> Length;  // what the system reports; nothing when it cannot
};

// Attributes and length of a path chosen directly (a link stands for its target), read in one
// call; nothing when the path cannot be examined at all.
std::optional<PathAttributes> ReadPathAttributes(const std::string& path);

// True when the folder holds more than count entries of any kind; the listing stops there, so
// asking about a huge folder costs no more than about a small one. False for what cannot be listed.
bool HasMoreEntriesThan(const std::string& folder, std::size_t count);

// True when something other than a folder exists under the path (a link stands for its target).
bool FileExists(const std::string& path);

// True when this process may write into the path (a file, or a folder to create entries in), as
// its effective user; also false when the path does not exist.
bool CanWrite(const std::string& path);

// The full path of a path given relative to the current folder, as the file dialogs give it:
// absolute, without "." or ".." parts or a delimiter at its end; the path as given when the
// current folder cannot be read.
std::string FullPath(const std::string& path);

// The user who owns the path; nothing when it cannot be examined.
std::optional<std::uint32_t> OwnerOf(const std::string& path);

// The user this process acts as.
std::uint32_t EffectiveUser();

// The full path of the running program's executable; empty when the system does not tell.
std::string ExecutablePath();
