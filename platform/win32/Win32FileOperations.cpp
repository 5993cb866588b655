// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/Win32FileOperations.h"

#include <windows.h>

#include <optional>
#include <set>

#include <QCryptographicHash>

#include "platform/AtomicFile.h"
#include "platform/FileOperationProgress.h"
#include "platform/FileOperationRun.h"
#include "platform/PathNames.h"
#include "platform/Prompter.h"
#include "platform/TreeWalker.h"
#include "platform/win32/ReparsePoint.h"
#include "platform/win32/WholeFileCopy.h"
#include "platform/win32/WidePath.h"

namespace {

const Failure FolderIntoItself{FailureReason::FolderIntoItself, {}};
const Failure SameFile{FailureReason::SameFile, {}};
const Failure FolderInTheWay{FailureReason::FolderInTheWay, {}};
const Failure FileInTheWay{FailureReason::FileInTheWay, {}};
const Failure PlacedByThisOperation{FailureReason::PlacedByThisOperation, {}};

using Outcome = FileOutcome;

Failure Reason(DWORD error) {
    return {FailureReason::System, SystemMessage(error == 0 ? ERROR_GEN_FAILURE : error)};
}

// What one path is: found by opening it, so that a reparse point given as the path stands for
// what it leads to (followed), or looked up as itself (kept).
struct Entry {
    DWORD Attributes = 0;
    std::uint64_t Length = 0;
    DWORD Volume = 0;
    std::uint64_t Index = 0;  // the file's number on its volume
    bool Directory() const { return (Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    bool Link() const { return (Attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
    // A folder of its own: a link to a folder (or a junction) is one entry, never its contents.
    bool Folder() const { return Directory() && !Link(); }
};
enum class Links { Followed, Kept };

std::optional<Entry> Examine(const std::string& path, Links links, DWORD& error) {
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (links == Links::Kept ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    HANDLE file = ::CreateFileW(LongPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool read = ::GetFileInformationByHandle(file, &info) != 0;
    error = ::GetLastError();
    ::CloseHandle(file);
    if (!read)
        return std::nullopt;
    Entry entry;
    entry.Attributes = info.dwFileAttributes;
    entry.Length = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    entry.Volume = info.dwVolumeSerialNumber;
    entry.Index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return entry;
}

std::optional<Entry> Examine(const std::string& path, Links links) {
    DWORD error = 0;
    return Examine(path, links, error);
}

// Removes a link itself (a folder's link or junction is removed as a folder), never what it leads
// to; false with the system's error.
bool RemoveLink(const std::string& path, bool folder) {
    const std::wstring wide = LongPath(path);
    return (folder ? ::RemoveDirectoryW(wide.c_str()) : ::DeleteFileW(wide.c_str())) != 0;
}

bool SameEntry(const Entry& left, const Entry& right) {
    return left.Volume == right.Volume && left.Index == right.Index;
}

// Paths as the file system compares them: without regard to letter case.
bool SameSpelling(const std::string& left, const std::string& right) {
    const std::wstring l = Widen(left);
    const std::wstring r = Widen(right);
    return ::CompareStringOrdinal(l.c_str(), static_cast<int>(l.size()), r.c_str(),
                                  static_cast<int>(r.size()), TRUE) == CSTR_EQUAL;
}

struct CaseBlindLess {
    bool operator()(const std::string& left, const std::string& right) const {
        const std::wstring l = Widen(left);
        const std::wstring r = Widen(right);
        return ::CompareStringOrdinal(l.c_str(), static_cast<int>(l.size()), r.c_str(),
                                      static_cast<int>(r.size()), TRUE) == CSTR_LESS_THAN;
    }
};

// The full path of an entry, the way two spellings of one path compare equal.
std::string FullPathOf(const std::string& path) {
    return Narrow(LongPath(path));
}

// True when descendant is folder itself or lies inside it.
bool IsInside(const std::string& descendant, const std::string& folder) {
    const std::string inner = WithoutTrailingDelimiter(FullPathOf(descendant));
    const std::string outer = WithoutTrailingDelimiter(FullPathOf(folder));
    if (inner.size() < outer.size())
        return false;
    return SameSpelling(inner.substr(0, outer.size()), outer) &&
           (inner.size() == outer.size() || inner[outer.size()] == PathDelimiter);
}

// One run of the service: the answers given "for all" hold until it ends.
class Operation {
public:
    Operation(FileOperationKind kind, TreeRule rule, FileOperationRun& run,
              std::vector<FileChecksum>* sums)
        : Kind(kind), Rule(rule), Shared(run), Sums(sums) {}

    Outcome Item(const FileOperationSource& given, const std::string& destinationFolder);
    // Entries a move left where they were, the rule leaving them out of the tree.
    std::size_t LeftInPlace() const { return LeftOutCount; }

private:
    enum class Entries { Copied, Moved };

    Outcome CopyEntry(const std::string& source, const std::string& target, const Entry& info,
                      bool replaceConfirmed);
    Outcome CopyFolder(const std::string& source, const std::string& target, const Entry& info,
                       Entries entries);
    Outcome CopyFile(const std::string& source, const std::string& target, const Entry& info,
                     bool replaceConfirmed);
    // Makes a link like the source link (what it leads to, as it is written) at target.
    Outcome CopyLink(const std::string& source, const std::string& target, const Entry& info,
                     bool replaceConfirmed);
    // Copies one file whole (a move across volumes deletes the source after), recording its
    // checksum when asked to.
    Outcome CopyWhole(const std::string& source, const std::string& target, bool replacing,
                      bool move);
    Outcome Move(const std::string& source, const std::string& target, const Entry& info);
    // Moves what a link chosen by the user leads to (info) under its name, and removes the link
    // (own) itself.
    Outcome MoveThroughLink(const std::string& link, const std::string& target, const Entry& info,
                            const Entry& own);
    Outcome MoveContents(const std::string& source, const std::string& target, const Entry& info);

    Outcome ClearTheWay(const std::string& source, const std::string& target, const Entry& info,
                        bool replaceConfirmed);
    Outcome Failed(const std::string& source, const std::string& target, const Failure& reason);
    void Placed(const std::string& target) { PlacedPaths.insert(FullPathOf(target)); }
    bool IsPlaced(const std::string& target) const;

    FileOperationKind Kind;
    TreeRule Rule;
    FileOperationRun& Shared;
    std::vector<FileChecksum>* Sums;
    std::size_t LeftOutCount = 0;
    // Entries this run created or moved into place, as full paths.
    std::set<std::string, CaseBlindLess> PlacedPaths;
};

Outcome Operation::Item(const FileOperationSource& given, const std::string& destinationFolder) {
    if (Shared.CancelRequested())
        return Outcome::Cancelled;
    const std::string source = WithoutTrailingDelimiter(given.Path);
    const std::string target = JoinPath(destinationFolder, LastComponent(source));
    DWORD error = 0;
    const auto info = Examine(source, given.LinkItself ? Links::Kept : Links::Followed, error);
    if (!info)
        return Failed(source, target, Reason(error));
    if (info->Directory() && IsInside(destinationFolder, source))
        return Failed(source, target, FolderIntoItself);
    if (Kind == FileOperationKind::Copy)
        return CopyEntry(source, target, *info, false);
    if (!given.LinkItself) {
        if (const auto own = Examine(source, Links::Kept); own && own->Link())
            return MoveThroughLink(source, target, *info, *own);
    }
    return Move(source, target, *info);
}

Outcome Operation::MoveThroughLink(const std::string& link, const std::string& target,
                                   const Entry& info, const Entry& own) {
    // The user chose the link, which stands for what it leads to: that arrives under the link's
    // name, the link goes, and what it leads to stays where it is.
    const Outcome copied = CopyEntry(link, target, info, false);
    if (copied == Outcome::Done && !RemoveLink(link, own.Directory()))
        return Failed(link, target, Reason(::GetLastError()));
    return copied;
}

Outcome Operation::CopyEntry(const std::string& source, const std::string& target,
                             const Entry& info, bool replaceConfirmed) {
    if (Shared.CancelRequested())
        return Outcome::Cancelled;
    if (info.Link())
        return CopyLink(source, target, info, replaceConfirmed);
    if (info.Directory())
        return CopyFolder(source, target, info, Entries::Copied);
    return CopyFile(source, target, info, replaceConfirmed);
}

Outcome Operation::CopyLink(const std::string& source, const std::string& target, const Entry& info,
                            bool replaceConfirmed) {
    DWORD error = 0;
    const auto data = ReadReparseData(source, error);
    if (!data)
        return Failed(source, target, Reason(error));
    const bool replacing = Examine(target, Links::Kept).has_value();
    if (replacing) {
        const Outcome way = ClearTheWay(source, target, info, replaceConfirmed);
        if (way != Outcome::Done)
            return way;
    }
    // Made under a free temporary name, then given the target's name, so a replaced entry is
    // never gone before its successor is there.
    std::string temp;
    if (!MakeReparsePointBeside(target, *data, info.Directory(), info.Attributes, temp, error))
        return Failed(source, target, Reason(error));
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replacing ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!::MoveFileExW(LongPath(temp).c_str(), LongPath(target).c_str(), flags)) {
        error = ::GetLastError();
        RemoveLink(temp, info.Directory());
        return Failed(source, target, Reason(error));
    }
    Placed(target);
    return Outcome::Done;
}

Outcome Operation::CopyFolder(const std::string& source, const std::string& target,
                              const Entry& info, Entries entries) {
    const auto existing = Examine(target, Links::Kept);
    const bool created = !existing;
    if (existing) {
        if (SameEntry(*existing, info))
            return Failed(source, target, SameFile);
        if (!existing->Folder())
            return Failed(source, target, FileInTheWay);
        // An existing folder takes the contents in; what an unfinished copy left goes first.
        RemovePartialFiles(target);
    } else {
        if (!::CreateDirectoryW(LongPath(target).c_str(), nullptr))
            return Failed(source, target, Reason(::GetLastError()));
        Placed(target);
    }
    // A folder this run made that received nothing goes again when the item failed.
    auto finish = [&](Outcome outcome) {
        if (created && outcome != Outcome::Done &&
            ::RemoveDirectoryW(LongPath(target).c_str()) != 0)
            PlacedPaths.erase(FullPathOf(target));
        return outcome;
    };
    // Only the entries of the tree under the rule; a move leaves the others where they are.
    const auto listing = ListTreeFolder(source, Rule);
    if (!listing)
        return finish(Failed(source, target, Reason(::GetLastError())));
    if (entries == Entries::Moved)
        LeftOutCount += listing->LeftOut;
    Outcome outcome = Outcome::Done;
    DWORD error = 0;
    for (const TreeEntry& entry : listing->Entries) {
        const std::string& name = entry.Name;
        const std::string child = JoinPath(source, name);
        const std::string childTarget = JoinPath(target, name);
        auto childInfo = Examine(child, Links::Kept, error);
        // What the listing found a link stays one, whatever the opened entry says (wine reports
        // no reparse point there), so that nothing is written beyond what the tree counted.
        if (childInfo && entry.Kind == TreeEntryKind::Link)
            childInfo->Attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
        Outcome result = Outcome::Done;
        if (!childInfo)
            result = Failed(child, childTarget, Reason(error));
        else if (entries == Entries::Moved)
            result = Move(child, childTarget, *childInfo);
        else
            result = CopyEntry(child, childTarget, *childInfo, false);
        if (result == Outcome::Cancelled)
            return finish(Outcome::Cancelled);
        if (result == Outcome::Skipped)
            outcome = Outcome::Skipped;
    }
    return finish(outcome);
}

Outcome Operation::ClearTheWay(const std::string& source, const std::string& target,
                               const Entry& info, bool replaceConfirmed) {
    const auto existing = Examine(target, Links::Kept);
    if (!existing)
        return Outcome::Done;
    if (SameEntry(*existing, info))
        return Failed(source, target, SameFile);
    if (existing->Folder())
        return Failed(source, target, FolderInTheWay);
    if (IsPlaced(target))
        return Failed(source, target, PlacedByThisOperation);
    return replaceConfirmed ? Outcome::Done : Shared.AskClash(source, target);
}

bool Operation::IsPlaced(const std::string& target) const {
    for (std::string path = FullPathOf(target); path.size() > 1; path = ParentFolder(path)) {
        if (PlacedPaths.count(path) != 0)
            return true;
        if (path.find(PathDelimiter) == std::string::npos)
            break;
    }
    return false;
}

Outcome Operation::Failed(const std::string& source, const std::string& target,
                          const Failure& reason) {
    return Shared.Failed(source, target, reason);
}

Outcome Operation::CopyFile(const std::string& source, const std::string& target, const Entry& info,
                            bool replaceConfirmed) {
    const bool replacing = Examine(target, Links::Kept).has_value();
    if (replacing) {
        const Outcome way = ClearTheWay(source, target, info, replaceConfirmed);
        if (way != Outcome::Done)
            return way;
    }
    return CopyWhole(source, target, replacing, false);
}

Outcome Operation::CopyWhole(const std::string& source, const std::string& target, bool replacing,
                             bool move) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    BlockSink sink;
    if (Sums != nullptr)
        sink = [&hash](const char* bytes, std::size_t size) {
            hash.addData(QByteArrayView(bytes, static_cast<qsizetype>(size)));
        };
    const AfterBlock afterBlock = [&](std::uint64_t bytes) { return Shared.Copied(bytes, target); };
    WholeFileResult result = move ? MoveAcrossVolumes(source, target, replacing, afterBlock, sink)
                                  : CopyFileWhole(source, target, replacing, afterBlock, sink);
    if (!replacing && (result.Error == ERROR_ALREADY_EXISTS || result.Error == ERROR_FILE_EXISTS)) {
        // Somebody put a file there while this one was copied: it is asked about like any other,
        // and the copy made again to replace it.
        const auto info = Examine(source, Links::Followed);
        const Outcome way = info ? ClearTheWay(source, target, *info, false) : Outcome::Done;
        if (way != Outcome::Done)
            return way;
        hash.reset();
        result = move ? MoveAcrossVolumes(source, target, true, afterBlock, sink)
                      : CopyFileWhole(source, target, true, afterBlock, sink);
    }
    if (result.Cancelled)
        return Outcome::Cancelled;
    if (!result.Done())
        return Failed(source, target, result.Reason.value_or(Reason(result.Error)));
    Placed(target);
    if (Sums != nullptr)
        Sums->push_back({target, hash.result().toHex().toStdString()});
    return Outcome::Done;
}

Outcome Operation::Move(const std::string& source, const std::string& target, const Entry& info) {
    if (Shared.CancelRequested())
        return Outcome::Cancelled;
    bool replaceConfirmed = false;
    if (const auto existing = Examine(target, Links::Kept)) {
        if (SameEntry(*existing, info))
            return Failed(source, target, SameFile);
        if (info.Folder() != existing->Folder())
            return Failed(source, target, existing->Folder() ? FolderInTheWay : FileInTheWay);
        if (info.Folder())
            return MoveContents(source, target, info);
        const Outcome way = ClearTheWay(source, target, info, false);
        if (way != Outcome::Done)
            return way;
        replaceConfirmed = true;
    }
    // Within one volume a rename moves a whole tree at once and replaces atomically; a folder
    // holding entries the rule leaves out moves entry by entry, and they stay.
    if (info.Folder() && MeasureFolderTree(source, Rule).LeftOut > 0)
        return MoveContents(source, target, info);
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replaceConfirmed ? MOVEFILE_REPLACE_EXISTING : 0);
    if (::MoveFileExW(LongPath(source).c_str(), LongPath(target).c_str(), flags)) {
        Placed(target);
        return Outcome::Done;
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_NOT_SAME_DEVICE)
        return Failed(source, target, Reason(error));
    if (info.Folder())
        return MoveContents(source, target, info);
    if (info.Link()) {
        // Across volumes a link is made again there, and only then the source link goes (never
        // what it leads to).
        const Outcome copied = CopyLink(source, target, info, replaceConfirmed);
        if (copied == Outcome::Done && !RemoveLink(source, info.Directory()))
            return Failed(source, target, Reason(::GetLastError()));
        return copied;
    }
    // Across volumes: a whole copy on the disk under its name, and only then the source goes.
    return CopyWhole(source, target, replaceConfirmed, true);
}

Outcome Operation::MoveContents(const std::string& source, const std::string& target,
                                const Entry& info) {
    // The entries move one by one; the emptied source folder goes last, and whatever was skipped
    // or left out of the tree keeps it.
    const std::size_t leftBefore = LeftOutCount;
    Outcome outcome = CopyFolder(source, target, info, Entries::Moved);
    if (outcome == Outcome::Done && LeftOutCount == leftBefore &&
        !::RemoveDirectoryW(LongPath(source).c_str()))
        outcome = Failed(source, target, Reason(::GetLastError()));
    return outcome;
}

}  // namespace

Win32FileOperations::Win32FileOperations(Prompter& prompter, FileOperationProgress& progress)
    : FileOperationsBase(prompter, progress) {}

FileOperationResult Win32FileOperations::Run(FileOperationKind kind,
                                             const std::vector<FileOperationSource>& sources,
                                             const std::string& destinationFolder,
                                             const WorkTitle& progressTitle,
                                             FileOperationPart part) {
    Sums.clear();
    FileOperationRun shared(kind, Questions, Progress);
    Operation operation(kind, Rule, shared, Recording ? &Sums : nullptr);
    // A destination that is not there is made here (one level), so that a failure names the
    // folder and its real cause once.
    const std::string destination = WithoutTrailingDelimiter(destinationFolder);
    DWORD error = 0;
    const auto folder = Examine(destination, Links::Followed, error);
    if (folder && !folder->Directory())
        error = ERROR_DIRECTORY;
    else if (folder)
        error = 0;
    if (!folder && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND))
        error = ::CreateDirectoryW(LongPath(destination).c_str(), nullptr) ? 0 : ::GetLastError();
    if (error != 0)
        return shared.DestinationFailed(destination, Reason(error));
    RemovePartialFiles(destination);
    FileOperationResult result = shared.RunSources(
        sources, Rule, progressTitle, part, [&](const FileOperationSource& source) {
            return operation.Item(source, destination) == Outcome::Cancelled;
        });
    result.LeftInPlace = operation.LeftInPlace();
    return result;
}
