// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/Collectionitems.h"

#include "platform/FileSystem.h"
#include "platform/IconList.h"

TColItem::TColItem(std::string name, std::string path, std::int32_t iconIndex, std::uint64_t size,
                   std::uint32_t group)
    : Name(std::move(name)),
      Path(std::move(path)),
      IconIndex(iconIndex),
      Size(size),
      Group(group) {}

TColItem::TColItem(const TColItem& other)
    : Name(other.Name),
      Path(other.Path),
      IconIndex(other.IconIndex),
      Size(other.Size),
      Group(other.Group),
      LinkItself(other.LinkItself) {}

TColItem& TColItem::operator=(const TColItem& other) {
    if (this != &other) {
        Name = other.Name;
        Path = other.Path;
        IconIndex = other.IconIndex;
        Size = other.Size;
        Group = other.Group;
        LinkItself = other.LinkItself;
    }
    return *this;
}

std::uint64_t TColGroup::AddItem(TConstItemPosition item, std::uint32_t allowance) {
    return AddItemOfSize(item, SaturatingAdd(item->Size, allowance));
}

std::uint64_t TColGroup::AddItemOfSize(TConstItemPosition item, std::uint64_t size) {
    Items.push_back(item);
    Size = SaturatingAdd(Size, size);
    return Size;
}

std::uint64_t FolderSize(const std::string& folder, TreeRule rule) {
    const TreeMeasure measure = MeasureFolderTree(folder, rule);
    return measure.Unreadable ? UnreadableFileSize : measure.Bytes;
}

std::uint64_t PathSize(const std::string& path, bool linkItself, TreeRule rule) {
    const TreeMeasure measure = MeasureTree(path, linkItself, rule);
    return measure.Unreadable ? UnreadableFileSize : measure.Bytes;
}

std::string NameOfPath(const std::string& path) {
    const auto end = path.find_last_not_of(PathDelimiters);
    if (end == std::string::npos)
        return path.substr(0, 1);  // the root folder, as written
    const auto delimiter = path.find_last_of(PathDelimiters, end);
    const auto start = delimiter == std::string::npos ? 0 : delimiter + 1;
    return path.substr(start, end + 1 - start);
}

TColItem ItemFromPath(const std::string& path, IconList& icons, TreeRule rule) {
    TColItem item;
    item.Path = path;
    item.Name = NameOfPath(path);
    const auto attributes = ReadPathAttributes(path);
    item.IconIndex = icons.IconIndexOf(path, attributes);
    // A path that cannot be examined (it vanished after it was chosen) counts as a folder that
    // cannot be listed: its size is unknown, never 0.
    item.Size = PathSize(path, false, rule);
    return item;
}

TColItem ItemFromFolderEntry(const std::string& folder, const TreeEntry& entry, IconList& icons,
                             TreeRule rule) {
    TColItem item;
    item.Path = folder + entry.Name;
    item.Name = entry.Name;
    PathAttributes attributes;
    attributes.Directory = entry.Kind == TreeEntryKind::Folder;
    attributes.Hidden = !entry.Name.empty() && entry.Name.front() == '.';
    attributes.Length = entry.Length;
    item.IconIndex = icons.IconIndexOf(item.Path, attributes);
    item.Size =
        attributes.Directory ? FolderSize(WithTrailingDelimiter(item.Path), rule) : entry.Length;
    item.LinkItself = entry.Kind == TreeEntryKind::Link;
    return item;
}

TColItem ItemFromTrack(const std::string& path, const std::string& title, std::uint32_t playingTime,
                       IconList& icons) {
    return TColItem(title, path, icons.IconIndexOf(path, ReadPathAttributes(path)), playingTime);
}

std::uint64_t MediumTotal(const TMedium& medium) {
    std::uint64_t total = 0;
    for (const TConstItemPosition& item : medium)
        total = SaturatingAdd(total, item->Size);
    return total;
}
