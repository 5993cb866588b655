// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PosixFileOperations.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <system_error>

#include <QCryptographicHash>

#include "platform/AtomicFile.h"
#include "platform/ByteCopier.h"
#include "platform/FileDescriptor.h"
#include "platform/FileOperationProgress.h"
#include "platform/FileOperationRun.h"
#include "platform/PathNames.h"
#include "platform/Prompter.h"
#include "platform/TreeWalker.h"

namespace {

// The program's own reasons for a failure.
const Failure FolderIntoItself{FailureReason::FolderIntoItself, {}};
const Failure SameFile{FailureReason::SameFile, {}};
const Failure FolderInTheWay{FailureReason::FolderInTheWay, {}};
const Failure FileInTheWay{FailureReason::FileInTheWay, {}};
const Failure PlacedByThisOperation{FailureReason::PlacedByThisOperation, {}};
const Failure SizeMismatch{FailureReason::SizeMismatch, {}};

using Outcome = FileOutcome;

Failure Reason(int error) {
    return {FailureReason::System, std::system_category().message(error)};
}

bool SameEntry(const struct stat& left, const struct stat& right) {
    return left.st_dev == right.st_dev && left.st_ino == right.st_ino;
}

// True when descendant is folder itself or lies inside it, comparing resolved paths.
bool IsInside(const std::string& descendant, const std::string& folder) {
    std::error_code error;
    const auto resolvedFolder = std::filesystem::weakly_canonical(folder, error).string();
    if (error)
        return false;
    const auto resolved = std::filesystem::weakly_canonical(descendant, error).string();
    if (error)
        return false;
    if (resolved == resolvedFolder)
        return true;
    const std::string prefix = resolvedFolder.back() == '/' ? resolvedFolder : resolvedFolder + "/";
    return resolved.compare(0, prefix.size(), prefix) == 0;
}

// True when the folder holds nothing of its tree but folders that hold nothing of it either: what
// is left in it is left out by the rule.
bool HoldsOnlyLeftOut(const std::string& folder, TreeRule rule) {
    const auto listing = ListTreeFolder(folder, rule);
    if (!listing)
        return false;
    for (const TreeEntry& entry : listing->Entries) {
        if (entry.Kind != TreeEntryKind::Folder ||
            !HoldsOnlyLeftOut(JoinPath(folder, entry.Name), rule))
            return false;
    }
    return true;
}

// One run of the service: the answers given "for all" hold until it ends.
class Operation {
public:
    Operation(FileOperationKind kind, TreeRule rule, FileOperationRun& run,
              const FileOperationFaults& faults, std::vector<FileChecksum>* sums)
        : Kind(kind), Rule(rule), Shared(run), Faults(faults), Sums(sums) {}

    Outcome Item(const FileOperationSource& given, const std::string& destinationFolder);
    // Flushes the folder holding target to the disk; 0 or the error number.
    int SyncFolderOf(const std::string& target);
    bool RanOutOfSpace() const { return OutOfSpace; }
    // Entries a move left where they were, the rule leaving them out of the tree.
    std::size_t LeftInPlace() const { return LeftOutCount; }

private:
    // How an entry is copied. Durable: on the disk and checked before the copy counts, as a move
    // needs before its source goes. ReplaceConfirmed: the user already chose to replace what is
    // at the target.
    struct CopyOptions {
        bool Durable = false;
        bool ReplaceConfirmed = false;
    };
    // What becomes of a folder's entries.
    enum class Entries { Copied, Moved };
    // A copy written under its temporary name: Done, Cancelled, or the reason it failed.
    struct Filled {
        Outcome Result = Outcome::Done;
        std::optional<Failure> Problem;
        std::string Digest;  // the copy's SHA-256 in hex, when checksums are recorded
        int Error = 0;       // the system's error, when it is the problem
    };

    Outcome CopyEntry(const std::string& source, const std::string& target, const struct stat& info,
                      CopyOptions options);
    // Copies a folder's entries into target, or moves them there.
    Outcome CopyFolder(const std::string& source, const std::string& target,
                       const struct stat& info, CopyOptions options, Entries entries);
    Outcome CopyFile(const std::string& source, const std::string& target, const struct stat& info,
                     CopyOptions options);
    // Writes the open source into the open copy with the source's mode and times, and onto the
    // disk.
    Filled FillCopy(int in, int out, const struct stat& sourceInfo, const std::string& target,
                    bool durable);
    // Gives the whole copy the target's name, asking about a file that appeared there meanwhile,
    // and records its checksum when asked to.
    Outcome TakeTargetName(const std::string& source, const std::string& target,
                           const std::string& written, const struct stat& info, bool replacing,
                           const std::string& digest);
    Outcome CopyLink(const std::string& source, const std::string& target, bool replaceConfirmed);
    Outcome Move(const std::string& source, const std::string& target, const struct stat& info);
    Outcome MoveThroughLink(const std::string& link, const std::string& target,
                            const struct stat& info);
    Outcome MoveContents(const std::string& source, const std::string& target,
                         const struct stat& info);

    // Checks what is already at the target. Done: the way is free or the user chose to replace
    // what is there; Skipped or Cancelled otherwise.
    Outcome ClearTheWay(const std::string& source, const std::string& target,
                        const struct stat& info, bool replaceConfirmed);
    Outcome Failed(const std::string& source, const std::string& target, const Failure& reason);
    // The same for a system error, except that a full file system is told once per run, with
    // the space the rest of it needs and the space free: after that a file that does not fit is
    // skipped without a word.
    Outcome FailedWith(int error, const std::string& source, const std::string& target);
    // Remembers an entry this run has put in place.
    void Placed(const std::string& target) { PlacedPaths.insert(target); }
    // True when the entry or a folder it lies in was put in place by this run.
    bool IsPlaced(const std::string& target) const;
    // 0 or the error number. Unless replacing, a name that is taken fails with EEXIST.
    int Rename(const std::string& from, const std::string& to, bool replacing = true);
    // A new empty file under a free temporary name beside the target, for its copy in progress;
    // the name is empty when none could be made. fd is the open file.
    std::string TemporaryFile(const std::string& target, int& fd);

    FileOperationKind Kind;
    TreeRule Rule;
    FileOperationRun& Shared;
    const FileOperationFaults& Faults;
    std::vector<FileChecksum>* Sums;  // the checksums of the files copied, when asked for
    ByteCopier Copier;
    std::size_t LeftOutCount = 0;
    bool OutOfSpace = false;  // the file system filled up, and the user has been told
    // Entries this run created or moved into place, as their target paths. Their names can clash
    // with a later source of the same name; what this run placed is never replaced by it.
    std::set<std::string> PlacedPaths;
};

Outcome Operation::Item(const FileOperationSource& given, const std::string& destinationFolder) {
    if (Shared.CancelRequested())
        return Outcome::Cancelled;
    const std::string source = WithoutTrailingDelimiter(given.Path);
    const std::string target = JoinPath(destinationFolder, LastComponent(source));

    // A source given as a link stands for what it points to, unless it asks to stay a link.
    struct stat own {};
    if (::lstat(source.c_str(), &own) != 0)
        return Failed(source, target, Reason(errno));
    const bool throughLink = S_ISLNK(own.st_mode) && !given.LinkItself;
    struct stat info = own;
    if (throughLink && ::stat(source.c_str(), &info) != 0)
        return Failed(source, target, Reason(errno));
    if (S_ISDIR(info.st_mode) && IsInside(destinationFolder, source))
        return Failed(source, target, FolderIntoItself);

    if (Kind == FileOperationKind::Copy)
        return CopyEntry(source, target, info, {});
    if (throughLink)
        return MoveThroughLink(source, target, info);
    return Move(source, target, info);
}

Outcome Operation::CopyEntry(const std::string& source, const std::string& target,
                             const struct stat& info, CopyOptions options) {
    if (Shared.CancelRequested())
        return Outcome::Cancelled;
    if (S_ISDIR(info.st_mode))
        return CopyFolder(source, target, info, options, Entries::Copied);
    if (S_ISREG(info.st_mode))
        return CopyFile(source, target, info, options);
    if (S_ISLNK(info.st_mode))
        return CopyLink(source, target, options.ReplaceConfirmed);
    return Outcome::Skipped;  // devices, FIFOs and sockets are no part of a collection
}

Outcome Operation::CopyFolder(const std::string& source, const std::string& target,
                              const struct stat& info, CopyOptions options, Entries entries) {
    struct stat existing {};
    const bool created = ::lstat(target.c_str(), &existing) != 0;
    if (!created) {
        if (SameEntry(existing, info))
            return Failed(source, target, SameFile);
        if (!S_ISDIR(existing.st_mode))
            return Failed(source, target, FileInTheWay);
        // An existing folder takes the contents in; clashes inside are asked one by one. What an
        // unfinished copy left in it goes first.
        RemovePartialFiles(target);
    } else {
        if (::mkdir(target.c_str(), 0700) != 0)
            return Failed(source, target, Reason(errno));
        Placed(target);
        // A move removes sources into this folder: its own name must be on the disk first.
        if (options.Durable) {
            if (const int syncError = SyncFolderOf(target); syncError != 0)
                return Failed(source, target, Reason(syncError));
        }
    }

    // A folder this run made that received nothing goes again when the item failed, so no empty
    // folder stands under the item's name.
    auto finish = [&](Outcome outcome) {
        if (created && outcome != Outcome::Done && ::rmdir(target.c_str()) == 0) {
            PlacedPaths.erase(target);
            return outcome;
        }
        // Write permission was needed while filling a new folder; now it gets the source's.
        if (created)
            ::chmod(target.c_str(), info.st_mode & 07777);
        return outcome;
    };
    const auto listing = ListTreeFolder(source, Rule);
    if (!listing)
        return finish(Failed(source, target, Reason(errno)));
    if (entries == Entries::Moved)
        LeftOutCount += listing->LeftOut;
    Outcome outcome = Outcome::Done;
    for (const TreeEntry& entry : listing->Entries) {
        const std::string& name = entry.Name;
        const std::string child = JoinPath(source, name);
        struct stat childInfo {};
        Outcome result = Outcome::Done;
        if (::lstat(child.c_str(), &childInfo) != 0) {
            result = Failed(child, JoinPath(target, name), Reason(errno));
        } else if (entries == Entries::Moved) {
            result = Move(child, JoinPath(target, name), childInfo);
        } else {
            result = CopyEntry(child, JoinPath(target, name), childInfo, {options.Durable, false});
        }
        if (result == Outcome::Cancelled)
            return finish(Outcome::Cancelled);
        if (result == Outcome::Skipped)
            outcome = Outcome::Skipped;
    }
    return finish(outcome);
}

Outcome Operation::ClearTheWay(const std::string& source, const std::string& target,
                               const struct stat& info, bool replaceConfirmed) {
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) != 0)
        return Outcome::Done;
    if (SameEntry(existing, info))
        return Failed(source, target, SameFile);
    if (S_ISDIR(existing.st_mode))
        return Failed(source, target, FolderInTheWay);
    if (IsPlaced(target))
        return Failed(source, target, PlacedByThisOperation);
    return replaceConfirmed ? Outcome::Done : Shared.AskClash(source, target);
}

bool Operation::IsPlaced(const std::string& target) const {
    for (std::string path = target; path.size() > 1; path = ParentFolder(path)) {
        if (PlacedPaths.count(path) != 0)
            return true;
        if (path.find(PathDelimiter) == std::string::npos)
            break;
    }
    return false;
}

Outcome Operation::FailedWith(int error, const std::string& source, const std::string& target) {
    if (error != ENOSPC && error != EDQUOT)
        return Failed(source, target, Reason(error));
    if (OutOfSpace) {
        // Told once: a later file that fits is still written, one that does not is skipped.
        Shared.CountFailure();
        return Outcome::Skipped;
    }
    OutOfSpace = true;
    struct statvfs space {};
    const std::uint64_t free = ::statvfs(ParentFolder(target).c_str(), &space) == 0
                                   ? static_cast<std::uint64_t>(space.f_bavail) *
                                         static_cast<std::uint64_t>(space.f_frsize)
                                   : 0;
    Question full{Kind == FileOperationKind::Copy ? QuestionKind::CopyOutOfSpace
                                                  : QuestionKind::MoveOutOfSpace,
                  source, target};
    full.Reason = Reason(error);
    full.Number = Shared.Remaining();
    full.Count = free;
    return Shared.Asked(std::move(full));
}

Outcome Operation::Failed(const std::string& source, const std::string& target,
                          const Failure& reason) {
    return Shared.Failed(source, target, reason);
}

int Operation::Rename(const std::string& from, const std::string& to, bool replacing) {
    if (Faults.BeforeRename) {
        if (const int error = Faults.BeforeRename(from, to))
            return error;
    }
    if (replacing)
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system that cannot rename without replacing: a hard link takes a name only when it
    // is free; one without hard links is asked just before the rename.
    if (::link(from.c_str(), to.c_str()) == 0)
        return ::unlink(from.c_str()) == 0 ? 0 : errno;
    if (errno == EEXIST)
        return EEXIST;
    struct stat there {};
    if (::lstat(to.c_str(), &there) == 0)
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int Operation::SyncFolderOf(const std::string& target) {
    const std::string folder = ParentFolder(target);
    if (Faults.BeforeFolderSync) {
        if (const int error = Faults.BeforeFolderSync(folder))
            return error;
    }
    return SyncFolder(folder.c_str());
}

std::string Operation::TemporaryFile(const std::string& target, int& fd) {
    std::string pattern = PartialFilePattern(target);
    fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    return fd < 0 ? std::string() : pattern;
}

Outcome Operation::CopyFile(const std::string& source, const std::string& target,
                            const struct stat& info, CopyOptions options) {
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0)
        return Failed(source, target, Reason(errno));
    struct stat sourceInfo {};
    if (::fstat(in.Get(), &sourceInfo) != 0)
        return Failed(source, target, Reason(errno));

    // Every copy is made under a temporary name beside the target and takes the target's name
    // only when it is whole and on the disk, so a crash, a kill or a failure never leaves a cut
    // file under that name, and a file that is replaced is only replaced by a whole copy.
    struct stat existing {};
    const bool replacing = ::lstat(target.c_str(), &existing) == 0;
    if (replacing) {
        const Outcome way = ClearTheWay(source, target, info, options.ReplaceConfirmed);
        if (way != Outcome::Done)
            return way;
    }
    int fd = -1;
    const std::string written = TemporaryFile(target, fd);
    if (written.empty())
        return FailedWith(errno, source, target);
    FileDescriptor out(fd);
    const Filled filled = FillCopy(in.Get(), out.Get(), sourceInfo, target, options.Durable);
    if (filled.Result != Outcome::Done || filled.Problem) {
        out.Reset();
        ::unlink(written.c_str());
        if (filled.Error != 0)
            return FailedWith(filled.Error, source, target);
        return filled.Problem ? Failed(source, target, *filled.Problem) : filled.Result;
    }
    if (const int closeError = out.Close(); closeError != 0) {
        ::unlink(written.c_str());
        return FailedWith(closeError, source, target);
    }
    return TakeTargetName(source, target, written, info, replacing, filled.Digest);
}

Operation::Filled Operation::FillCopy(int in, int out, const struct stat& sourceInfo,
                                      const std::string& target, bool durable) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (Sums != nullptr)
        Copier.SetDigestSink([&hash](const char* bytes, std::size_t size) {
            hash.addData(QByteArrayView(bytes, static_cast<qsizetype>(size)));
        });
    const auto copy = Copier.Copy(
        in, out,
        [&](std::uint64_t offset) {
            return Faults.BeforeWrite ? Faults.BeforeWrite(target, offset) : 0;
        },
        [&](std::uint64_t bytes) { return Shared.Copied(bytes, target); });
    Copier.SetDigestSink(nullptr);
    if (copy.Cancelled)
        return {Outcome::Cancelled, std::nullopt, {}};
    if (copy.Error != 0)
        return {Outcome::Done, Reason(copy.Error), {}, copy.Error};

    // The copy must hold exactly what the source held when it was opened. The count of bytes
    // written into the new file is its size; a move, which removes the source next, also asks
    // the file system.
    if (copy.Copied != static_cast<std::uint64_t>(sourceInfo.st_size))
        return {Outcome::Done, SizeMismatch, {}};
    if (durable) {
        struct stat copyInfo {};
        if (::fstat(out, &copyInfo) != 0)
            return {Outcome::Done, Reason(errno), {}};
        if (copyInfo.st_size != sourceInfo.st_size)
            return {Outcome::Done, SizeMismatch, {}};
    }

    ::fchmod(out, sourceInfo.st_mode & 07777);
    const struct timespec times[2] = {sourceInfo.st_atim, sourceInfo.st_mtim};
    ::futimens(out, times);
    if (::fsync(out) != 0)
        return {Outcome::Done, Reason(errno), {}, errno};
    Filled filled;
    if (Sums != nullptr)
        filled.Digest = hash.result().toHex().toStdString();
    return filled;
}

Outcome Operation::TakeTargetName(const std::string& source, const std::string& target,
                                  const std::string& written, const struct stat& info,
                                  bool replacing, const std::string& digest) {
    int renameError = Rename(written, target, replacing);
    if (renameError == EEXIST && !replacing) {
        // Somebody put a file there while this one was copied: it is asked about like any other.
        const Outcome way = ClearTheWay(source, target, info, false);
        if (way != Outcome::Done) {
            ::unlink(written.c_str());
            return way;
        }
        renameError = Rename(written, target);
    }
    if (renameError != 0) {
        ::unlink(written.c_str());
        return Failed(source, target, Reason(renameError));
    }
    Placed(target);
    if (Sums != nullptr)
        Sums->push_back({target, digest});
    return Outcome::Done;
}

Outcome Operation::CopyLink(const std::string& source, const std::string& target,
                            bool replaceConfirmed) {
    struct stat info {};
    if (::lstat(source.c_str(), &info) != 0)
        return Failed(source, target, Reason(errno));
    const Outcome way = ClearTheWay(source, target, info, replaceConfirmed);
    if (way != Outcome::Done)
        return way;

    std::string pointsTo(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1,
                         '\0');
    const ssize_t length = ::readlink(source.c_str(), pointsTo.data(), pointsTo.size());
    if (length < 0)
        return Failed(source, target, Reason(errno));
    pointsTo.resize(static_cast<std::size_t>(length));

    // The link is made under a free temporary name and then takes the target's name, so a
    // replaced entry is never gone before its successor is there.
    int fd = -1;
    const std::string temp = TemporaryFile(target, fd);
    if (temp.empty())
        return Failed(source, target, Reason(errno));
    ::close(fd);
    ::unlink(temp.c_str());
    if (::symlink(pointsTo.c_str(), temp.c_str()) != 0)
        return Failed(source, target, Reason(errno));
    if (const int error = Rename(temp, target); error != 0) {
        ::unlink(temp.c_str());
        return Failed(source, target, Reason(error));
    }
    Placed(target);
    return Outcome::Done;
}

Outcome Operation::Move(const std::string& source, const std::string& target,
                        const struct stat& info) {
    if (Shared.CancelRequested())
        return Outcome::Cancelled;
    bool replaceConfirmed = false;
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0) {
        if (SameEntry(existing, info))
            return Failed(source, target, SameFile);
        if (S_ISDIR(info.st_mode) != S_ISDIR(existing.st_mode))
            return Failed(source, target,
                          S_ISDIR(existing.st_mode) ? FolderInTheWay : FileInTheWay);
        if (S_ISDIR(info.st_mode))
            return MoveContents(source, target, info);
        const Outcome way = ClearTheWay(source, target, info, false);
        if (way != Outcome::Done)
            return way;
        replaceConfirmed = true;
    }
    // Within one file system a rename moves a whole tree at once and replaces atomically; a
    // folder holding entries the rule leaves out moves entry by entry, and they stay.
    if (S_ISDIR(info.st_mode) && MeasureFolderTree(source, Rule).LeftOut > 0)
        return MoveContents(source, target, info);
    const int error = Rename(source, target);
    if (error == 0) {
        Placed(target);
        return Outcome::Done;
    }
    if (error != EXDEV)
        return Failed(source, target, Reason(error));
    if (S_ISDIR(info.st_mode))
        return MoveContents(source, target, info);
    if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode))
        return Outcome::Skipped;  // devices, FIFOs and sockets are no part of a collection
    const Outcome copied = CopyEntry(source, target, info, {true, replaceConfirmed});
    if (copied != Outcome::Done)
        return copied;
    // The copy is complete, on the disk and of the right size, and so is its name in the folder:
    // only now the source goes.
    if (const int syncError = SyncFolderOf(target); syncError != 0)
        return Failed(source, target, Reason(syncError));
    if (::unlink(source.c_str()) != 0)
        return Failed(source, target, Reason(errno));
    return Outcome::Done;
}

Outcome Operation::MoveThroughLink(const std::string& link, const std::string& target,
                                   const struct stat& info) {
    // The user chose the link, which stands for its target: the target's data arrives under the
    // link's name, the link goes, and what it points to stays where it is.
    const Outcome copied = CopyEntry(link, target, info, {true, false});
    if (copied != Outcome::Done)
        return copied;
    if (const int syncError = SyncFolderOf(target); syncError != 0)
        return Failed(link, target, Reason(syncError));
    if (::unlink(link.c_str()) != 0)
        return Failed(link, target, Reason(errno));
    return Outcome::Done;
}

Outcome Operation::MoveContents(const std::string& source, const std::string& target,
                                const struct stat& info) {
    // The entries move one by one (CopyFolder moves while the operation is a move); the emptied
    // source folder goes last, and whatever was skipped keeps it.
    Outcome outcome = CopyFolder(source, target, info, {true, false}, Entries::Moved);
    if (outcome == Outcome::Done && ::rmdir(source.c_str()) != 0) {
        const int error = errno;
        if ((error != ENOTEMPTY && error != EEXIST) || !HoldsOnlyLeftOut(source, Rule))
            outcome = Failed(source, target, Reason(error));
    }
    return outcome;
}

}  // namespace

PosixFileOperations::PosixFileOperations(Prompter& prompter, FileOperationProgress& progress)
    : FileOperationsBase(prompter, progress) {}

FileOperationResult PosixFileOperations::Run(FileOperationKind kind,
                                             const std::vector<FileOperationSource>& sources,
                                             const std::string& destinationFolder,
                                             const WorkTitle& progressTitle,
                                             FileOperationPart part) {
    Sums.clear();
    FileOperationRun shared(kind, Questions, Progress);
    Operation operation(kind, Rule, shared, Faults, Recording ? &Sums : nullptr);
    // A destination that is not there is made here (one level), so that a failure names the
    // folder and its real cause once, instead of every item failing inside it. A move removes
    // sources into it, so its name is put on the disk first.
    const std::string destination = WithoutTrailingDelimiter(destinationFolder);
    struct stat info {};
    int error = ::stat(destination.c_str(), &info) != 0 ? errno : 0;
    if (error == 0 && !S_ISDIR(info.st_mode))
        error = ENOTDIR;
    if (error == ENOENT) {
        error = ::mkdir(destination.c_str(), 0777) == 0 ? 0 : errno;
        if (error == 0 && kind == FileOperationKind::Move)
            error = operation.SyncFolderOf(destination);
    }
    if (error != 0)
        return shared.DestinationFailed(destination, Reason(error));
    RemovePartialFiles(destination);

    FileOperationResult result = shared.RunSources(
        sources, Rule, progressTitle, part, [&](const FileOperationSource& source) {
            return operation.Item(source, destination) == Outcome::Cancelled;
        });
    result.LeftInPlace = operation.LeftInPlace();
    result.NoSpace = operation.RanOutOfSpace();
    return result;
}
