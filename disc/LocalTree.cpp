// SPDX-License-Identifier: GPL-3.0-or-later
// The local files through POSIX calls: folders opened relative to their parents.
#include "disc/LocalTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

LocalEntry FromStatus(std::string name, const struct stat& info) {
    LocalEntry entry;
    entry.Name = std::move(name);
    entry.Length = static_cast<std::uint64_t>(std::max<off_t>(info.st_size, 0));
    if (S_ISREG(info.st_mode))
        entry.Kind = LocalKind::File;
    else if (S_ISDIR(info.st_mode))
        entry.Kind = LocalKind::Folder;
    else if (S_ISLNK(info.st_mode))
        entry.Kind = LocalKind::Link;
    return entry;
}

int OpenFolder(int parent, const std::string& name) {
    return ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

}  // namespace

std::optional<LocalEntry> ReadLocalEntry(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FromStatus(path.substr(path.find_last_of('/') + 1), info);
}

LocalFolder::LocalFolder(const std::string& path) : Descriptor(OpenFolder(AT_FDCWD, path)) {}

LocalFolder::LocalFolder(const LocalFolder& parent, const std::string& name)
    : Descriptor(parent.IsOpen() ? OpenFolder(parent.Descriptor, name) : -1) {}

LocalFolder::~LocalFolder() {
    if (Descriptor >= 0)
        ::close(Descriptor);
}

bool LocalFolder::IsOpen() const {
    return Descriptor >= 0;
}

std::vector<LocalEntry> LocalFolder::Entries() const {
    std::vector<LocalEntry> entries;
    // The listing reads through a descriptor of its own; the folder's stays for openat.
    const int listed = IsOpen() ? ::dup(Descriptor) : -1;
    std::unique_ptr<DIR, int (*)(DIR*)> folder(listed < 0 ? nullptr : ::fdopendir(listed),
                                               ::closedir);
    if (listed >= 0 && !folder)
        ::close(listed);
    if (folder)
        ::rewinddir(folder.get());  // the copy shares its position with the folder's descriptor
    while (folder) {
        const dirent* entry = ::readdir(folder.get());
        if (entry == nullptr)
            break;
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat info {};
        if (::fstatat(Descriptor, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0)
            entries.push_back(FromStatus(name, info));
    }
    return entries;
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
