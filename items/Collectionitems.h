// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "platform/SizeArithmetic.h"
#include "platform/TreeWalker.h"

class IconList;
struct TColItem;

// The collection: items live by value in a linked list, so an item never moves while it is in
// the list and its position stays valid until it is removed.
using TColItems = std::list<TColItem>;
using TItemPosition = TColItems::iterator;
using TConstItemPosition = TColItems::const_iterator;

// One element of the collection: a file, a folder or a music track.
struct TColItem {
    std::string Name;
    std::string Path;
    std::int32_t IconIndex = -1;
    std::uint64_t Size = 0;   // bytes, or hundredths of a second for a track
    std::uint32_t Group = 0;  // 0 = no group
    // A link found inside a folder: it was measured as the link, so it is copied as the link.
    // A link the user chose directly stands for what it points to.
    bool LinkItself = false;
    // The item's own position in the collection; list rows carry a pointer to this cell. Null in
    // a free-standing item.
    std::unique_ptr<TItemPosition> Position;

    TColItem() = default;
    TColItem(std::string name, std::string path, std::int32_t iconIndex, std::uint64_t size,
             std::uint32_t group = 0);
    // A copy takes the values but never the cell: it gets its own when it enters the collection.
    TColItem(const TColItem& other);
    TColItem& operator=(const TColItem& other);
    TColItem(TColItem&&) noexcept = default;
    TColItem& operator=(TColItem&&) noexcept = default;
    ~TColItem() = default;
};

// One unit of a division: an ungrouped item, or all items of one group.
struct TColGroup {
    std::uint64_t Size = 0;  // members' sizes plus the allowance per member
    std::vector<TConstItemPosition> Items;

    // Appends the item, adds its size plus the allowance, returns the new size. The sum saturates
    // at the largest value rather than wrapping round to a small one that would seem to fit.
    std::uint64_t AddItem(TConstItemPosition item, std::uint32_t allowance);
    // Appends the item counted as size (its footprint on a disc image, say); saturates the same.
    std::uint64_t AddItemOfSize(TConstItemPosition item, std::uint64_t size);
};

// One medium of a division result: positions of its items in order.
using TMedium = std::vector<TConstItemPosition>;

// The sum of the medium's item sizes, or the largest value when it is beyond it.
std::uint64_t MediumTotal(const TMedium& medium);

// Size given to a file whose length cannot be read, and to a folder that cannot be listed (or
// holds one that cannot): larger than any capacity, so the fit check before a division offers
// the item for exclusion instead of letting it pass as empty.
inline constexpr std::uint64_t UnreadableFileSize = UINT64_MAX;

// Recursive size of a folder's tree under the rule (hidden entries counted or not, system
// entries never, links inside counted as links). UnreadableFileSize when any folder of the tree
// cannot be listed, since its size is then unknown.
std::uint64_t FolderSize(const std::string& folder, TreeRule rule = {});

// The size of what a copy of the path holds: a file's length, a folder's size, and for a link
// found inside a folder (linkItself) the link's own length; a link chosen directly stands for
// its target. A path that cannot be examined counts as a folder that cannot be listed.
std::uint64_t PathSize(const std::string& path, bool linkItself, TreeRule rule);

// The name shown for a path: its last component, or for the root folder the root itself.
std::string NameOfPath(const std::string& path);

// A free-standing item built from an existing file or folder the user chose: a link stands for
// its target.
TColItem ItemFromPath(const std::string& path, IconList& icons, TreeRule rule = {});

// A free-standing item built from an entry found inside a folder (folder ends in a delimiter):
// a link is measured as the link itself, as FolderSize counts it.
TColItem ItemFromFolderEntry(const std::string& folder, const TreeEntry& entry, IconList& icons,
                             TreeRule rule = {});

// A free-standing item for a playlist track.
TColItem ItemFromTrack(const std::string& path, const std::string& title, std::uint32_t playingTime,
                       IconList& icons);
