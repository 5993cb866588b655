// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/Utf8Path.h"

// Every byte a folder holds, hidden entries included: the lengths of its files and of its links
// themselves, at any depth. What a medium made of the folder would carry.
inline std::uint64_t BytesInTree(const std::string& folder) {
    namespace fs = std::filesystem;
    std::uint64_t total = 0;
    std::error_code error;
    for (fs::recursive_directory_iterator entry(Utf8Path(folder), error), end;
         !error && entry != end; entry.increment(error)) {
        if (entry->is_symlink())
            total += Utf8Text(fs::read_symlink(entry->path())).size();
        else if (entry->is_regular_file())
            total += entry->file_size();
    }
    return total;
}
