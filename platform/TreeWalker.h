// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The one rule for what a folder tree holds. Measuring an item, counting its disc footprint,
// copying, moving and writing it into an image all list folders through it, so whatever is
// written for a medium was counted in the medium's total:
// - a hidden entry (a name beginning with ".") inside a folder belongs to the tree only when
//   hidden entries are counted; a hidden file or folder the user chose directly always does;
// - a system entry (a device, FIFO or socket: neither a regular file, a folder nor a link)
//   never does;
// - a link inside a folder is the link itself, never followed, so no tree of links can make a
//   walk endless.

struct TreeRule {
    bool CountHidden = false;
};

enum class TreeEntryKind { File, Folder, Link };

// One entry of a folder that belongs to the tree.
struct TreeEntry {
    std::string Name;
    TreeEntryKind Kind = TreeEntryKind::File;
    std::uint64_t Length = 0;  // a file's length, a link's own length; 0 for a folder
};

// A folder's entries under the rule, in the order the system lists them.
struct TreeFolder {
    std::vector<TreeEntry> Entries;
    std::size_t LeftOut = 0;  // hidden and system entries the rule leaves out
};

// Nothing when the folder cannot be listed; "." and ".." are never entries.
std::optional<TreeFolder> ListTreeFolder(const std::string& folder, TreeRule rule);

// What the tree below a folder holds.
struct TreeMeasure {
    std::uint64_t Bytes = 0;  // its files' and links' lengths, saturating at the largest value
    std::size_t LeftOut = 0;  // entries left out anywhere below
    bool Unreadable = false;  // a folder of the tree could not be listed
};

TreeMeasure MeasureFolderTree(const std::string& folder, TreeRule rule);

// What a copy of a path holds: a file's length, a folder's tree, a link's own length when
// linkItself (a link found inside a folder), and for a link chosen directly what it points to.
// A path that cannot be examined is unreadable; a system entry holds nothing.
TreeMeasure MeasureTree(const std::string& path, bool linkItself, TreeRule rule);
