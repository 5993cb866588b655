// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "platform/TreeWalker.h"

// What an item takes on an ISO 9660 image with Joliet and Rock Ridge names and recorded MD5
// checksums, as the image writer beside this file makes it. The count is an upper bound: an
// image written for items whose footprints, plus DiscImageReserve, add up to at most a capacity
// is never larger than that capacity. It follows libisofs's layout record by record; it exceeds
// it only by what the neighbours at the image's root decide (the unused ends of the root's
// blocks, identifiers lengthened where names clash: a few dozen bytes per item) and by the
// packing of records into the blocks of large folders.

// The image's block: every file takes whole blocks.
inline constexpr std::uint64_t DiscBlockSize = 2048;

// The room every image needs besides its items: system area, volume descriptors, root
// directories, the rounding of the four path tables, the checksum tags and the checksum array's
// last block.
std::uint64_t DiscImageReserve();

// The footprint of one item at the image's root: a file's length in whole blocks, the directory
// records its name takes in both trees, and for a folder the same for everything inside it plus
// its own directory extents and path-table entries. A link given as the item stands for what it
// points to unless linkItself; inside folders the entries are those of the tree under the rule
// (the image holds the same). A path that cannot be examined counts as an empty folder; a folder
// that cannot be listed counts as empty.
std::uint64_t DiscFootprint(const std::string& path, bool linkItself, TreeRule rule);
