// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TreeWalker.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>

#include "platform/PathNames.h"
#include "platform/SizeArithmetic.h"

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
        if (::lstat(JoinPath(folder, name).c_str(), &info) != 0)
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

TreeMeasure MeasureFolderTree(const std::string& folder, TreeRule rule) {
    TreeMeasure measure;
    const auto listing = ListTreeFolder(folder, rule);
    if (!listing) {
        measure.Unreadable = true;
        return measure;
    }
    measure.LeftOut = listing->LeftOut;
    for (const TreeEntry& entry : listing->Entries) {
        if (entry.Kind != TreeEntryKind::Folder) {
            measure.Bytes = SaturatingAdd(measure.Bytes, entry.Length);
            continue;
        }
        const TreeMeasure inside = MeasureFolderTree(JoinPath(folder, entry.Name), rule);
        measure.Bytes = SaturatingAdd(measure.Bytes, inside.Bytes);
        measure.LeftOut += inside.LeftOut;
        measure.Unreadable = measure.Unreadable || inside.Unreadable;
    }
    return measure;
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
