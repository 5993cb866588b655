// SPDX-License-Identifier: GPL-3.0-or-later
// Folder trees on Windows: hidden and system entries are told by their attributes, and a reparse
// point (symbolic link, junction) inside a folder is a link, never followed.
#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/TreeWalker.h"
#include "platform/win32/FolderSearch.h"
#include "platform/win32/WidePath.h"

namespace {

TreeEntryKind KindOf(DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return TreeEntryKind::Link;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? TreeEntryKind::Folder
                                                        : TreeEntryKind::File;
}

}  // namespace

std::optional<TreeFolder> ListTreeFolder(const std::string& folder, TreeRule rule) {
    TreeFolder listing;
    const bool listed = ForEachEntry(folder, [&listing, rule](const WIN32_FIND_DATAW& found) {
        const DWORD attributes = found.dwFileAttributes;
        const bool system = (attributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE)) != 0;
        const bool hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        if (system || (hidden && !rule.CountHidden)) {
            ++listing.LeftOut;
            return true;
        }
        TreeEntry kept;
        kept.Name = Narrow(found.cFileName);
        kept.Kind = KindOf(attributes);
        if (kept.Kind == TreeEntryKind::File)
            kept.Length = LengthOf(found.nFileSizeHigh, found.nFileSizeLow);
        listing.Entries.push_back(std::move(kept));
        return true;
    });
    if (!listed)
        return std::nullopt;
    return listing;
}

TreeMeasure MeasureTree(const std::string& path, bool linkItself, TreeRule rule) {
    TreeMeasure measure;
    if (linkItself) {
        WIN32_FILE_ATTRIBUTE_DATA own{};
        if (::GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &own) == 0) {
            measure.Unreadable = true;
            return measure;
        }
        if (KindOf(own.dwFileAttributes) == TreeEntryKind::Link)
            return measure;  // a link holds no bytes of its own on Windows
    }
    const auto attributes = ReadPathAttributes(path);
    if (!attributes) {
        measure.Unreadable = true;
        return measure;
    }
    if (attributes->Directory)
        return MeasureFolderTree(path, rule);
    measure.Bytes = attributes->Length.value_or(0);
    return measure;
}
