// SPDX-License-Identifier: GPL-3.0-or-later
// Folder trees on POSIX systems: a name beginning with "." is hidden; a device, FIFO or socket is
// a system entry.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>

#include "platform/TreeWalker.h"

std::optional<TreeFolder> ListTreeFolder(const std::string& folder, TreeRule rule) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return std::nullopt;
    TreeFolder listing;
    while (const dirent* entry = ::readdir(dir.get())) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        struct stat info {};
        // Examined through the open folder, so that no path length limits an entry deep down.
        if (::fstatat(::dirfd(dir.get()), name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;  // vanished while listed
        const bool system =
            !S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode);
        if (system || (name[0] == '.' && !rule.CountHidden)) {
            ++listing.LeftOut;
            continue;
        }
        TreeEntry kept;
        kept.Name = name;
        kept.Kind = S_ISDIR(info.st_mode)   ? TreeEntryKind::Folder
                    : S_ISLNK(info.st_mode) ? TreeEntryKind::Link
                                            : TreeEntryKind::File;
        if (kept.Kind != TreeEntryKind::Folder && info.st_size > 0)
            kept.Length = static_cast<std::uint64_t>(info.st_size);
        listing.Entries.push_back(std::move(kept));
    }
    return listing;
}

TreeMeasure MeasureTree(const std::string& path, bool linkItself, TreeRule rule) {
    struct stat info {};
    if ((linkItself ? ::lstat(path.c_str(), &info) : ::stat(path.c_str(), &info)) != 0) {
        TreeMeasure unknown;
        unknown.Unreadable = true;
        return unknown;
    }
    if (S_ISDIR(info.st_mode))
        return MeasureFolderTree(path, rule);
    TreeMeasure measure;
    if ((S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)) && info.st_size > 0)
        measure.Bytes = static_cast<std::uint64_t>(info.st_size);
    return measure;
}
