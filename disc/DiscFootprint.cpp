// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/DiscFootprint.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "disc/ImageNames.h"
#include "disc/LocalTree.h"
#include "platform/PathNames.h"
#include "platform/SizeArithmetic.h"
#include "platform/TreeWalker.h"

namespace {

// A directory record: 33 bytes, the identifier (a file's with ";1"), a byte of padding to even
// length, and the Rock Ridge fields; at most 254 bytes, what does not fit goes to the folder's
// continuation area, pointed at by a CE field.
constexpr std::uint64_t RecordHead = 33;
constexpr std::uint64_t VersionLength = 2;
constexpr std::uint64_t LargestRecord = 254;
constexpr std::uint64_t ContinuationField = 28;
// The fields of every record: ES announcing the extensions in use (5), PX (44), TF with three
// times (26). NM and SL fields have 5 bytes of head and hold at most 255 bytes; every component
// of a link's target has 2 bytes of head. A file's checksum index is an AL field of 16 bytes
// after another ES.
constexpr std::uint64_t RockRidgeFixed = 5 + 44 + 26;
constexpr std::uint64_t FieldHead = 5;
constexpr std::uint64_t LargestField = 255;
constexpr std::uint64_t ComponentHead = 2;
constexpr std::uint64_t ChecksumField = 5 + 16;
// A folder's "." and ".." records, with an empty NM field, in both trees.
constexpr std::uint64_t DotRecord = RecordHead + 1 + RockRidgeFixed + FieldHead;
constexpr std::uint64_t JolietDotRecord = RecordHead + 1;
// A Joliet record: 33 bytes, the UCS-2 identifier (a file's with ";1"), a byte of padding.
constexpr std::uint64_t JolietRecordHead = RecordHead + 1;
constexpr std::uint64_t JolietVersionLength = 4;
// A path-table entry: 8 bytes and the identifier, padded to even length; four tables (both
// byte orders of both trees).
constexpr std::uint64_t PathTableHead = 8;
// The MD5 of every file in the checksum array.
constexpr std::uint64_t ChecksumEntry = 16;
// A file larger than this is stored in sections of at most LargestSection bytes, one record
// each.
constexpr std::uint64_t LargestSingleSection = 0xFFFFFFFF;
constexpr std::uint64_t LargestSection = 0xFFFFF800;
// Records at the root never cross a block's end, so each block of the root's extent but the
// last is filled beyond its size less the largest record: the root's records take at most 8/7
// of their bytes (its last block is in the reserve).
constexpr std::uint64_t SpreadNumerator = 8;
constexpr std::uint64_t SpreadDenominator = 7;
// What a clash between two names of one folder may add to the other name's records where this
// name's identifier is not known: a block of the folder's records and one of its continuation
// area.
constexpr std::uint64_t UnknownClash = 2 * DiscBlockSize;

// The image of nothing (35 blocks: system area, volume descriptors, the root folders' extents
// and their continuation area, the four path tables, the checksum tags, the zero block empty
// files point to, the checksum array) and one block more for what the root's records, the path
// tables and the checksum array hold besides the items' bytes counted.
constexpr std::uint64_t ReserveBlocks = 35 + 1;

std::uint64_t DivideRoundingUp(std::uint64_t value, std::uint64_t divisor) {
    return value / divisor + (value % divisor != 0 ? 1 : 0);
}

std::uint64_t Even(std::uint64_t value) {
    return value + value % 2;
}

std::uint64_t Spread(std::uint64_t bytes) {
    return DivideRoundingUp(bytes * SpreadNumerator, SpreadDenominator);
}

// An entry's ISO 9660 record and the bytes it puts into its folder's continuation area.
struct IsoRecord {
    std::uint64_t Record = 0;
    std::uint64_t Continued = 0;
};

// The SL field of a link's target when it all fits in the record: every component with its
// head ("." and ".." have no characters).
std::uint64_t LinkField(std::string_view target) {
    std::uint64_t fieldLength = FieldHead;
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = target.find('/', start);
        const std::string_view component =
            target.substr(start, slash == std::string_view::npos ? slash : slash - start);
        fieldLength +=
            (component == "." || component == ".." ? 0 : component.size()) + ComponentHead;
        if (slash == std::string_view::npos || slash + 1 == target.size())
            return fieldLength;
        start = slash + 1;
    }
}

// The SL fields of a link's target, as libisofs lays them out beside a CE field: in the record
// while they fit, else all of them in the continuation area, split into fields of at most 255
// bytes.
void AddLinkFields(std::string_view target, std::uint64_t space, std::uint64_t& used,
                   std::uint64_t& continued) {
    constexpr auto largest = static_cast<std::int64_t>(LargestField);
    constexpr auto head = static_cast<std::int64_t>(FieldHead);
    std::int64_t field = head;
    bool outside = continued != 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = target.find('/', start);
        const std::string_view component =
            target.substr(start, slash == std::string_view::npos ? slash : slash - start);
        const auto length = static_cast<std::int64_t>(
            (component == "." || component == ".." ? 0 : component.size()) + ComponentHead);
        if (!outside) {
            if (used + static_cast<std::uint64_t>(field + length) > space)
                outside = true;
            else
                field += length;
        }
        if (outside) {
            if (field + length <= largest) {
                field += length;
            } else if (length <= largest - head) {
                continued += static_cast<std::uint64_t>(field);
                field = head + length;
            } else if (const std::int64_t fit = largest - field - 2;
                       length - (largest - head) <= fit) {
                continued += LargestField;
                field = head + (length - fit);
            } else {
                continued += static_cast<std::uint64_t>(field) + LargestField;
                field = head + (length - (largest - head)) + 2;
            }
        }
        if (slash == std::string_view::npos || slash + 1 == target.size())
            break;
        start = slash + 1;
    }
    (outside ? continued : used) += static_cast<std::uint64_t>(field);
}

// The record of an entry with an ISO 9660 identifier of identifier characters, a Rock Ridge name
// of name bytes and a link's target (links only), as libisofs computes it: all fields in the
// record when they fit, else a CE field and the rest continued.
IsoRecord RockRidgeRecord(std::uint64_t identifier, TreeEntryKind kind, std::uint64_t name,
                          std::string_view target) {
    const bool file = kind == TreeEntryKind::File;
    const bool link = kind == TreeEntryKind::Link;
    const std::uint64_t head = Even(RecordHead + identifier + (file ? VersionLength : 0));
    const std::uint64_t space = LargestRecord - head;
    const std::uint64_t nameField = FieldHead + name;
    const std::uint64_t checksum = file ? ChecksumField : 0;
    const std::uint64_t whole =
        RockRidgeFixed + nameField + checksum + (link ? LinkField(target) : 0);
    if (whole <= space)
        return {head + Even(whole), 0};
    std::uint64_t used = RockRidgeFixed + ContinuationField;
    std::uint64_t continued = 0;
    if (used + nameField <= space) {
        used += nameField;
    } else {
        // The name's first part fills the record, the rest goes on in an NM field of its own.
        continued += nameField + FieldHead - (space - used);
        used = space;
    }
    if (link)
        AddLinkFields(target, space, used, continued);
    if (checksum != 0) {
        if (continued > 0 || space - used < checksum)
            continued += checksum;
        else
            used += checksum;
    }
    return {head + Even(used), continued};
}

// The most an entry's ISO 9660 record takes with an identifier of identifier to
// identifier + room characters (a clash may lengthen it), with the most it continues.
IsoRecord LargestRockRidgeRecord(std::uint64_t identifier, std::uint64_t room, TreeEntryKind kind,
                                 std::uint64_t name, std::string_view target) {
    IsoRecord largest;
    for (std::uint64_t length = identifier; length <= identifier + room; ++length) {
        const IsoRecord record = RockRidgeRecord(length, kind, name, target);
        largest.Record = std::max(largest.Record, record.Record);
        largest.Continued = std::max(largest.Continued, record.Continued);
    }
    return largest;
}

std::uint64_t JolietRecord(std::uint64_t identifier, TreeEntryKind kind) {
    return JolietRecordHead + 2 * identifier +
           (kind == TreeEntryKind::File ? JolietVersionLength : 0);
}

std::uint64_t PathTableEntries(std::uint64_t isoIdentifier, std::uint64_t jolietIdentifier) {
    return 2 * Even(PathTableHead + isoIdentifier) + 2 * (PathTableHead + 2 * jolietIdentifier);
}

std::uint64_t FileSections(std::uint64_t length) {
    return length <= LargestSingleSection
               ? 1
               : 1 + DivideRoundingUp(length - LargestSingleSection, LargestSection);
}

std::uint64_t FileData(std::uint64_t length) {
    return SaturatingAdd(DivideRoundingUp(length, DiscBlockSize) * DiscBlockSize, ChecksumEntry);
}

// The blocks of an extent of records of total bytes that never cross a block's end, where a
// record goes on to the next block unless largest bytes are left: every block but the last is
// filled beyond its size less largest.
std::uint64_t PackedBlocks(std::uint64_t total, std::uint64_t largest) {
    if (total == 0)
        return 0;
    if (largest >= DiscBlockSize)
        return DivideRoundingUp(total, DiscBlockSize) + DivideRoundingUp(total, largest);
    return 1 + (total - 1) / (DiscBlockSize + 1 - largest);
}

// What an entry is in the image's trees: its identifiers' lengths with the room a clash may add
// to them, its records, and what it adds to other entries' records through a clash.
struct EntryRecords {
    std::uint64_t Iso = 0;
    std::uint64_t IsoRoom = 0;
    std::uint64_t Joliet = 0;
    std::uint64_t JolietRoom = 0;
    IsoRecord Record;
    std::uint64_t JolietRecordBytes = 0;
    std::uint64_t Sections = 1;
    std::uint64_t OthersGrowth = 0;

    std::uint64_t PathTables() const {
        return PathTableEntries(Iso + IsoRoom, Joliet + JolietRoom);
    }
};

// The link's target, for its SL fields; a target that cannot be read counts as one of length
// slashes, the most fields length bytes can take (an empty component has two bytes of head).
std::string LinkTarget(const std::string& path, std::uint64_t length) {
    const auto bound = static_cast<std::size_t>(std::min<std::uint64_t>(length, 4096));
    std::optional<std::string> target = ReadLocalLink(path);
    if (target && target->size() <= bound)
        return std::move(*target);
    return std::string(bound, '/');
}

EntryRecords MakeRecords(const ImageName& iso, std::uint64_t isoRoom, const ImageName& joliet,
                         std::uint64_t jolietRoom, TreeEntryKind kind, std::uint64_t nameBytes,
                         std::uint64_t sections, std::string_view target) {
    EntryRecords records;
    records.Iso = iso.Length;
    records.IsoRoom = isoRoom;
    records.Joliet = joliet.Length;
    records.JolietRoom = jolietRoom;
    records.Record = LargestRockRidgeRecord(iso.Length, isoRoom, kind, nameBytes, target);
    records.JolietRecordBytes = JolietRecord(joliet.Length + jolietRoom, kind);
    records.Sections = sections;
    return records;
}

// The records of an item at the image's root. Its neighbours are not known, so its identifiers
// may clash with another item's and both are then lengthened: its ISO 9660 identifier (names
// mostly are not their own identifiers there, for want of small letters) takes the room a clash
// may add; its Joliet identifier does only when it is not the name itself, and then it pays for
// the other's growth as well (in its record with its spread and its two path-table entries), for
// the other may be the name itself.
EntryRecords RootRecords(const std::string& name, TreeEntryKind kind, std::uint64_t sections,
                         std::string_view target) {
    const bool folder = kind == TreeEntryKind::Folder;
    const ImageName iso = IsoName(name, folder);
    const ImageName joliet = JolietName(name, folder);
    const std::uint64_t jolietRoom =
        joliet.Exact ? 0 : MangleRoom(joliet.Length, folder ? JolietFolderLimit : JolietFileLimit);
    EntryRecords records = MakeRecords(iso, MangleRoom(iso.Length, IsoNameLimit), joliet,
                                       jolietRoom, kind, name.size(), sections, target);
    records.OthersGrowth = Spread(2 * jolietRoom) + 2 * (2 * jolietRoom);
    return records;
}

// Bytes an item's root records take in the root's extents and continuation area: a continued
// part that does not fit a block's end goes on to the next block and leaves less than itself
// and a CE field's length unused before it.
std::uint64_t RootRecordBytes(const EntryRecords& records) {
    const std::uint64_t continued =
        records.Record.Continued == 0 ? 0 : 2 * records.Record.Continued + ContinuationField;
    return SaturatingAdd(records.Sections * (Spread(records.Record.Record) +
                                             Spread(records.JolietRecordBytes) + continued),
                         records.OthersGrowth);
}

// The directory records of one folder's entries in both trees, counted as they are packed into
// its extents: its ISO 9660 records, their continuation area, its Joliet records.
class FolderRecords {
public:
    void Add(const EntryRecords& records) {
        const std::uint64_t sections = records.Sections;
        Iso = SaturatingAdd(Iso, records.Record.Record * sections);
        IsoLargest = std::max(IsoLargest, records.Record.Record);
        if (records.Record.Continued != 0) {
            Continued = SaturatingAdd(Continued, records.Record.Continued * sections);
            ContinuedLargest =
                std::max(ContinuedLargest, records.Record.Continued + ContinuationField);
        }
        Joliet = SaturatingAdd(Joliet, records.JolietRecordBytes * sections);
        JolietLargest = std::max(JolietLargest, records.JolietRecordBytes);
        Others = SaturatingAdd(Others, records.OthersGrowth);
    }
    std::uint64_t Bytes() const {
        return SaturatingAdd(
            (PackedBlocks(Iso, IsoLargest) + PackedBlocks(Continued, ContinuedLargest) +
             PackedBlocks(Joliet, JolietLargest)) *
                DiscBlockSize,
            Others);
    }

private:
    std::uint64_t Iso = 2 * DotRecord;
    std::uint64_t IsoLargest = DotRecord;
    std::uint64_t Continued = 0;
    std::uint64_t ContinuedLargest = 0;
    std::uint64_t Joliet = 2 * JolietDotRecord;
    std::uint64_t JolietLargest = JolietDotRecord;
    std::uint64_t Others = 0;
};

std::uint64_t FolderFootprint(const std::string& path, TreeRule rule);

// The records of the entries of one folder. Their identifiers are derived as libisofs derives
// them; those that clash with a sibling's, or are not known, may be lengthened.
std::vector<EntryRecords> FolderEntries(const std::string& path, const TreeFolder& listing) {
    std::vector<ImageName> isoNames;
    std::vector<ImageName> jolietNames;
    std::map<std::string, std::size_t> isoForms;
    std::map<std::string, std::size_t> jolietForms;
    for (const TreeEntry& entry : listing.Entries) {
        const bool folder = entry.Kind == TreeEntryKind::Folder;
        isoNames.push_back(IsoName(entry.Name, folder));
        jolietNames.push_back(JolietName(entry.Name, folder));
        ++isoForms[isoNames.back().Form];
        ++jolietForms[jolietNames.back().Form];
    }
    std::vector<EntryRecords> entries;
    for (std::size_t i = 0; i < listing.Entries.size(); ++i) {
        const TreeEntry& entry = listing.Entries[i];
        const ImageName& iso = isoNames[i];
        const ImageName& joliet = jolietNames[i];
        const bool folder = entry.Kind == TreeEntryKind::Folder;
        const std::uint64_t isoRoom =
            !iso.Known || isoForms[iso.Form] > 1 ? MangleRoom(iso.Length, IsoNameLimit) : 0;
        const std::uint64_t jolietRoom =
            !joliet.Known || jolietForms[joliet.Form] > 1
                ? MangleRoom(joliet.Length, folder ? JolietFolderLimit : JolietFileLimit)
                : 0;
        const std::string target = entry.Kind == TreeEntryKind::Link
                                       ? LinkTarget(JoinPath(path, entry.Name), entry.Length)
                                       : std::string();
        const std::uint64_t sections =
            entry.Kind == TreeEntryKind::File ? FileSections(entry.Length) : 1;
        entries.push_back(MakeRecords(iso, isoRoom, joliet, jolietRoom, entry.Kind,
                                      entry.Name.size(), sections, target));
        if (!iso.Known || !joliet.Known)
            entries.back().OthersGrowth = UnknownClash;
    }
    return entries;
}

// Everything inside the folder at path that belongs to its tree and its own extents; its name's
// records and path-table entries are its parent's. A folder that cannot be listed is empty.
std::uint64_t FolderFootprint(const std::string& path, TreeRule rule) {
    std::uint64_t total = 0;
    FolderRecords records;
    const auto listing = ListTreeFolder(path, rule);
    if (!listing)
        return records.Bytes();
    const std::vector<EntryRecords> entries = FolderEntries(path, *listing);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TreeEntry& entry = listing->Entries[i];
        records.Add(entries[i]);
        if (entry.Kind == TreeEntryKind::File)
            total = SaturatingAdd(total, FileData(entry.Length));
        if (entry.Kind == TreeEntryKind::Folder)
            total = SaturatingAdd(total,
                                  SaturatingAdd(entries[i].PathTables(),
                                                FolderFootprint(JoinPath(path, entry.Name), rule)));
    }
    return SaturatingAdd(total, records.Bytes());
}

// The footprint of an item at the root: its body and its name's records.
std::uint64_t ItemFootprint(const LocalEntry& info, const std::string& path,
                            const std::string& name, TreeRule rule) {
    const std::uint64_t length = info.Length;
    switch (info.Kind) {
        case LocalKind::File:
            return SaturatingAdd(
                FileData(length),
                RootRecordBytes(RootRecords(name, TreeEntryKind::File, FileSections(length), {})));
        case LocalKind::Link:
            return RootRecordBytes(
                RootRecords(name, TreeEntryKind::Link, 1, LinkTarget(path, length)));
        case LocalKind::Folder: {
            const EntryRecords records = RootRecords(name, TreeEntryKind::Folder, 1, {});
            return SaturatingAdd(SaturatingAdd(RootRecordBytes(records), records.PathTables()),
                                 FolderFootprint(path, rule));
        }
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
    const std::string name(LastComponent(item));
    // The folder a link points to is listed as that folder.
    const std::optional<std::string> target = linkItself ? item : ResolveLocalPath(item);
    const std::optional<LocalEntry> info = target ? ReadLocalEntry(*target) : std::nullopt;
    if (!info) {
        // As an empty folder, the way its size counts it.
        const EntryRecords records = RootRecords(name, TreeEntryKind::Folder, 1, {});
        return RootRecordBytes(records) + records.PathTables() + FolderRecords().Bytes();
    }
    return ItemFootprint(*info, *target, name, rule);
}
