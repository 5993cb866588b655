// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/DiscFootprint.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/PathNames.h"
#include "platform/SizeArithmetic.h"
#include "platform/TreeWalker.h"

namespace {

// Bounds of what libisofs writes per name, in bytes. A directory record is 33 bytes and the
// identifier; ISO 9660 identifiers of levels 2 and 3 hold at most 31 characters and ";1".
constexpr std::uint64_t RecordFixed = 33;
constexpr std::uint64_t IsoIdentifierBound = 40;
// Rock Ridge fields of every record: PX (44), TF with three times (26), a CE pointer to the
// continuation area (28), RR (5), and the AL field holding the checksum's index (at most 40).
constexpr std::uint64_t RockRidgeFixed = 44 + 26 + 28 + 5 + 40;
// NM carries the whole name, split into pieces of at most 250 bytes with 5 bytes of head each.
constexpr std::uint64_t NamePiece = 250;
constexpr std::uint64_t FieldHead = 5;
// Joliet: UCS-2 identifiers of at most 103 characters, ";1", one byte of padding.
constexpr std::uint64_t JolietCharacters = 103;
constexpr std::uint64_t JolietTail = 4 + 1;
// A folder's "." and ".." records in both trees, with their Rock Ridge fields.
constexpr std::uint64_t DotRecords = 2 * (34 + RockRidgeFixed) + 2 * 34;
// Path tables: one entry per folder in each of four tables (both byte orders of both trees),
// 8 bytes and the identifier, padded to even length.
constexpr std::uint64_t PathTableEntries = 2 * (8 + 32) + 2 * (8 + 2 * JolietCharacters);
// Records never cross a block's end, so a block may leave less than one record (255 bytes)
// unused: a directory's records take at most 8/7 of their bytes, plus one block for the last
// one begun. Each folder has three extents that are rounded up this way: its ISO 9660 records,
// their continuation area, and its Joliet records.
constexpr std::uint64_t SpreadNumerator = 8;
constexpr std::uint64_t SpreadDenominator = 7;
constexpr std::uint64_t FolderExtents = 3;
// The MD5 of every file in the checksum array.
constexpr std::uint64_t ChecksumEntry = 16;
// A file of 4 GiB or more is stored in extents of at most this many bytes, one record each.
constexpr std::uint64_t LargestExtent = 0xFFFFF800;

// System area (16 blocks), primary and Joliet volume descriptors, terminator, the checksum tags
// of the superblock, the trees and the session, the zero block links and empty files point to,
// the root folders' three extents and their continuation area's record of the extensions in use,
// the rounding of the four path tables and of the checksum array, and room to spare.
constexpr std::uint64_t ReserveBlocks = 16 + 3 + 3 + 1 + FolderExtents + 1 + 4 + 1 + 16;

std::uint64_t DivideRoundingUp(std::uint64_t value, std::uint64_t divisor) {
    return value / divisor + (value % divisor != 0 ? 1 : 0);
}

// Directory records, with their share of the blocks' unused ends.
std::uint64_t Spread(std::uint64_t recordBytes) {
    return DivideRoundingUp(recordBytes, SpreadDenominator) * SpreadNumerator;
}

// The records one name takes in both trees: extents records in each (a large file has several).
std::uint64_t NameRecords(std::uint64_t nameLength, std::uint64_t linkLength,
                          std::uint64_t extents) {
    const std::uint64_t nameField =
        nameLength +
        FieldHead * std::max<std::uint64_t>(1, DivideRoundingUp(nameLength, NamePiece));
    // SL: every component of the target with two bytes of head, split like NM.
    const std::uint64_t linkField = linkLength == 0 ? 0 : 3 * linkLength + 4 * FieldHead;
    const std::uint64_t iso =
        RecordFixed + IsoIdentifierBound + RockRidgeFixed + nameField + linkField;
    const std::uint64_t joliet =
        RecordFixed + 2 * std::min(nameLength, JolietCharacters) + JolietTail;
    return (iso + joliet) * extents;
}

// What a folder adds besides its name's records and its entries.
std::uint64_t FolderOverhead() {
    return Spread(DotRecords) + FolderExtents * DiscBlockSize + PathTableEntries;
}

std::uint64_t FolderContents(const std::string& folder, TreeRule rule);

// The footprint of an entry of the kind and length found at path, with the records of its name.
std::uint64_t EntryFootprint(TreeEntryKind kind, std::uint64_t length, const std::string& path,
                             std::uint64_t nameLength, TreeRule rule) {
    switch (kind) {
        case TreeEntryKind::File: {
            const std::uint64_t extents =
                std::max<std::uint64_t>(1, DivideRoundingUp(length, LargestExtent));
            const std::uint64_t data = DivideRoundingUp(length, DiscBlockSize) * DiscBlockSize;
            return SaturatingAdd(data, Spread(NameRecords(nameLength, 0, extents)) + ChecksumEntry);
        }
        case TreeEntryKind::Link:
            return Spread(NameRecords(nameLength, length, 1));
        case TreeEntryKind::Folder:
            return SaturatingAdd(FolderContents(path, rule),
                                 Spread(NameRecords(nameLength, 0, 1)) + FolderOverhead());
    }
    return 0;
}

// Everything inside the folder that belongs to its tree; a folder that cannot be listed is empty.
std::uint64_t FolderContents(const std::string& folder, TreeRule rule) {
    const auto listing = ListTreeFolder(folder, rule);
    std::uint64_t total = 0;
    if (!listing)
        return total;
    for (const TreeEntry& entry : listing->Entries)
        total = SaturatingAdd(total,
                              EntryFootprint(entry.Kind, entry.Length, JoinPath(folder, entry.Name),
                                             entry.Name.size(), rule));
    return total;
}

}  // namespace

std::uint64_t DiscImageReserve() {
    return ReserveBlocks * DiscBlockSize;
}

std::uint64_t DiscFootprint(const std::string& path, bool linkItself, TreeRule rule) {
    std::string item = WithoutTrailingDelimiter(path);
    const std::uint64_t nameLength = LastComponent(item).size();
    std::error_code error;
    if (!linkItself) {
        // The folder a link points to is listed as that folder.
        auto target = std::filesystem::canonical(item, error);
        if (!error)
            item = target.string();
    }
    struct stat info {};
    if (error || ::lstat(item.c_str(), &info) != 0) {
        // As an empty folder, the way its size counts it.
        return Spread(NameRecords(nameLength, 0, 1)) + FolderOverhead();
    }
    const auto length = static_cast<std::uint64_t>(std::max<off_t>(info.st_size, 0));
    if (S_ISDIR(info.st_mode))
        return EntryFootprint(TreeEntryKind::Folder, 0, item, nameLength, rule);
    if (S_ISREG(info.st_mode))
        return EntryFootprint(TreeEntryKind::File, length, item, nameLength, rule);
    if (S_ISLNK(info.st_mode))
        return EntryFootprint(TreeEntryKind::Link, length, item, nameLength, rule);
    return 0;  // devices, FIFOs and sockets are left out of the image
}
