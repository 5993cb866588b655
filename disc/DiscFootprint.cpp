// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/DiscFootprint.h"

#include <algorithm>

#include "disc/LocalTree.h"
#include "platform/PathNames.h"
#include "platform/SizeArithmetic.h"
#include "platform/TreeWalker.h"

namespace {

// Bounds of what libisofs writes per name, in bytes. A directory record is 33 bytes and the
// identifier; ISO 9660 identifiers of levels 2 and 3 hold at most 31 characters and ";1".
constexpr std::uint64_t RecordFixed = 33;
constexpr std::uint64_t IsoIdentifierBound = 40;
// Rock Ridge fields of every record: PX (44), TF with three times (26), RR (5), and the AL field
// holding the checksum's index (at most 40); a record whose fields do not fit has a CE pointer to
// the continuation area (28) as well.
constexpr std::uint64_t ContinuationField = 28;
constexpr std::uint64_t RockRidgeFixed = 44 + 26 + 5 + 40;
// NM carries the whole name, split into pieces of at most 250 bytes with 5 bytes of head each.
constexpr std::uint64_t NamePiece = 250;
constexpr std::uint64_t FieldHead = 5;
// Joliet: UCS-2 identifiers of at most 103 characters, ";1", one byte of padding.
constexpr std::uint64_t JolietCharacters = 103;
constexpr std::uint64_t JolietTail = 4 + 1;
// A folder's "." and ".." records: in the ISO 9660 tree with their Rock Ridge fields, in Joliet.
constexpr std::uint64_t IsoDotRecord = 34 + RockRidgeFixed;
constexpr std::uint64_t JolietDotRecord = 34;
// A directory record holds at most this many bytes; Rock Ridge fields that do not fit go to the
// folder's continuation area.
constexpr std::uint64_t LargestRecord = 255;
// Path tables: one entry per folder in each of four tables (both byte orders of both trees),
// 8 bytes and the identifier, padded to even length. An ISO 9660 folder identifier has at most 31
// characters; a Joliet one the name's characters (at most its bytes), with room for the digits
// that tell apart names made equal.
constexpr std::uint64_t PathTableHead = 8;
constexpr std::uint64_t IsoPathIdentifierBound = 32;
constexpr std::uint64_t MangleRoom = 8;
// Records at the root never cross a block's end, so a block may leave less than one record
// (255 bytes) unused: they take at most 8/7 of their bytes (the root's blocks are in the reserve).
constexpr std::uint64_t SpreadNumerator = 8;
constexpr std::uint64_t SpreadDenominator = 7;
// The root's extents: its ISO 9660 records, their continuation area, its Joliet records.
constexpr std::uint64_t RootExtents = 3;
// The MD5 of every file in the checksum array.
constexpr std::uint64_t ChecksumEntry = 16;
// A file of 4 GiB or more is stored in extents of at most this many bytes, one record each.
constexpr std::uint64_t LargestExtent = 0xFFFFF800;

// System area (16 blocks), primary and Joliet volume descriptors, terminator, the checksum tags
// of the superblock, the trees and the session, the zero block links and empty files point to,
// the root folders' three extents and their continuation area's record of the extensions in use,
// the rounding of the four path tables and of the checksum array, and room to spare.
constexpr std::uint64_t ReserveBlocks = 16 + 3 + 3 + 1 + RootExtents + 1 + 4 + 1 + 16;

std::uint64_t DivideRoundingUp(std::uint64_t value, std::uint64_t divisor) {
    return value / divisor + (value % divisor != 0 ? 1 : 0);
}

// The ISO 9660 record one name takes (before it is split for the continuation area) and its
// Joliet record.
std::uint64_t IsoRecord(std::uint64_t nameLength, std::uint64_t linkLength) {
    const std::uint64_t nameField =
        nameLength +
        FieldHead * std::max<std::uint64_t>(1, DivideRoundingUp(nameLength, NamePiece));
    // SL: every component of the target with two bytes of head, split like NM.
    const std::uint64_t linkField = linkLength == 0 ? 0 : 3 * linkLength + 4 * FieldHead;
    return RecordFixed + IsoIdentifierBound + RockRidgeFixed + nameField + linkField;
}

std::uint64_t JolietRecord(std::uint64_t nameLength) {
    return RecordFixed + 2 * std::min(nameLength, JolietCharacters) + JolietTail;
}

// The records one name takes in both trees at the root: extents records in each (a large file
// has several), with their share of the blocks' unused ends.
std::uint64_t RootRecords(std::uint64_t nameLength, std::uint64_t linkLength,
                          std::uint64_t extents) {
    const std::uint64_t bytes =
        (IsoRecord(nameLength, linkLength) + ContinuationField + JolietRecord(nameLength)) *
        extents;
    return DivideRoundingUp(bytes, SpreadDenominator) * SpreadNumerator;
}

// The blocks of an extent of records of total bytes, none larger than largest, that never cross
// a block's end: every block but the last is filled beyond its size less the largest record.
std::uint64_t PackedBlocks(std::uint64_t total, std::uint64_t largest) {
    if (total == 0)
        return 0;
    if (largest >= DiscBlockSize)
        return DivideRoundingUp(total, DiscBlockSize) + DivideRoundingUp(total, largest);
    return 1 + (total - 1) / (DiscBlockSize + 1 - largest);
}

// The directory records of one folder's entries in both trees, counted exactly as they are
// packed into its extents: its ISO 9660 records, their continuation area, its Joliet records.
class FolderRecords {
public:
    void Add(std::uint64_t nameLength, std::uint64_t linkLength, std::uint64_t extents) {
        const std::uint64_t iso = IsoRecord(nameLength, linkLength);
        const std::uint64_t inFolder = std::min(iso, LargestRecord);
        // What does not fit the record continues in the folder's continuation area; counted
        // whole, as libisofs may move every Rock Ridge field there.
        const std::uint64_t continued = iso > LargestRecord ? iso + ContinuationField : 0;
        const std::uint64_t joliet = JolietRecord(nameLength);
        Iso = SaturatingAdd(Iso, inFolder * extents);
        IsoLargest = std::max(IsoLargest, inFolder);
        Continued = SaturatingAdd(Continued, continued * extents);
        ContinuedLargest = std::max(ContinuedLargest, continued);
        Joliet = SaturatingAdd(Joliet, joliet * extents);
        JolietLargest = std::max(JolietLargest, joliet);
    }
    std::uint64_t Bytes() const {
        return (PackedBlocks(Iso, IsoLargest) + PackedBlocks(Continued, ContinuedLargest) +
                PackedBlocks(Joliet, JolietLargest)) *
               DiscBlockSize;
    }

private:
    std::uint64_t Iso = 2 * IsoDotRecord;
    std::uint64_t IsoLargest = IsoDotRecord;
    std::uint64_t Continued = 0;
    std::uint64_t ContinuedLargest = 0;
    std::uint64_t Joliet = 2 * JolietDotRecord;
    std::uint64_t JolietLargest = JolietDotRecord;
};

std::uint64_t PathTableEntries(std::uint64_t nameLength) {
    return 2 * (PathTableHead + IsoPathIdentifierBound) +
           2 * (PathTableHead + 2 * std::min(nameLength + MangleRoom, JolietCharacters));
}

std::uint64_t FileData(std::uint64_t length) {
    return DivideRoundingUp(length, DiscBlockSize) * DiscBlockSize + ChecksumEntry;
}

std::uint64_t FileExtents(std::uint64_t length) {
    return std::max<std::uint64_t>(1, DivideRoundingUp(length, LargestExtent));
}

// Everything inside the folder at path that belongs to its tree, its own extents and its
// path-table entries; its name's records are the parent's. A folder that cannot be listed is
// empty.
std::uint64_t FolderFootprint(const std::string& path, std::uint64_t nameLength, TreeRule rule) {
    std::uint64_t total = PathTableEntries(nameLength);
    FolderRecords records;
    const auto listing = ListTreeFolder(path, rule);
    if (!listing)
        return SaturatingAdd(total, records.Bytes());
    for (const TreeEntry& entry : listing->Entries) {
        const std::uint64_t entryName = entry.Name.size();
        switch (entry.Kind) {
            case TreeEntryKind::File:
                total = SaturatingAdd(total, FileData(entry.Length));
                records.Add(entryName, 0, FileExtents(entry.Length));
                break;
            case TreeEntryKind::Link:
                records.Add(entryName, entry.Length, 1);
                break;
            case TreeEntryKind::Folder:
                total = SaturatingAdd(total,
                                      FolderFootprint(JoinPath(path, entry.Name), entryName, rule));
                records.Add(entryName, 0, 1);
                break;
        }
    }
    return SaturatingAdd(total, records.Bytes());
}

// The footprint of an item at the root: its body and its name's records.
std::uint64_t ItemFootprint(const LocalEntry& item, const std::string& path,
                            std::uint64_t nameLength, TreeRule rule) {
    switch (item.Kind) {
        case LocalKind::File:
            return SaturatingAdd(FileData(item.Length),
                                 RootRecords(nameLength, 0, FileExtents(item.Length)));
        case LocalKind::Link:
            return RootRecords(nameLength, item.Length, 1);
        case LocalKind::Folder:
            return SaturatingAdd(FolderFootprint(path, nameLength, rule),
                                 RootRecords(nameLength, 0, 1));
        case LocalKind::Other:
            break;
    }
    return 0;  // devices, FIFOs and sockets are left out of the image
}

}  // namespace

std::uint64_t DiscImageReserve() {
    return ReserveBlocks * DiscBlockSize;
}

std::uint64_t DiscFootprint(const std::string& path, bool linkItself, TreeRule rule) {
    const std::string item = WithoutTrailingDelimiter(path);
    const std::uint64_t nameLength = LastComponent(item).size();
    // The folder a link points to is listed as that folder.
    const std::optional<std::string> target = linkItself ? item : ResolveLocalPath(item);
    const std::optional<LocalEntry> info = target ? ReadLocalEntry(*target) : std::nullopt;
    if (!info) {
        // As an empty folder, the way its size counts it.
        return RootRecords(nameLength, 0, 1) + PathTableEntries(nameLength) +
               FolderRecords().Bytes();
    }
    return ItemFootprint(*info, *target, nameLength, rule);
}
