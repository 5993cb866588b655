// SPDX-License-Identifier: GPL-3.0-or-later
// The local files through POSIX calls.
#include "disc/LocalTree.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

LocalEntry FromStatus(const struct stat& info) {
    LocalEntry entry;
    entry.Length = static_cast<std::uint64_t>(std::max<off_t>(info.st_size, 0));
    if (S_ISREG(info.st_mode))
        entry.Kind = LocalKind::File;
    else if (S_ISDIR(info.st_mode))
        entry.Kind = LocalKind::Folder;
    else if (S_ISLNK(info.st_mode))
        entry.Kind = LocalKind::Link;
    return entry;
}

}  // namespace

std::optional<LocalEntry> ReadLocalEntry(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FromStatus(info);
}

std::optional<std::string> ReadLocalLink(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return std::nullopt;
    // One byte more than the link's length tells a target that grew meanwhile.
    std::string target(static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)) + 1, '\0');
    const ssize_t read = ::readlink(path.c_str(), target.data(), target.size());
    if (read < 0)
        return std::nullopt;
    target.resize(static_cast<std::size_t>(read));
    return target;
}

std::optional<std::string> ResolveLocalPath(const std::string& path) {
    std::error_code error;
    const auto target = std::filesystem::canonical(path, error);
    if (error)
        return std::nullopt;
    return target.string();
}

std::string IsoLocalPath(const std::string& path) {
    return path;
}
