#include "FileOperations.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "FileOperationProgress.h"
#include "Prompter.h"

namespace {

// Texts of this module.
constexpr const char* CopyFailedText = "Не удалось скопировать «";
constexpr const char* MoveFailedText = "Не удалось переместить «";
constexpr const char* IntoText = "» в «";
constexpr const char* SkipQuestionText = "\n\nПропустить и продолжить?";
constexpr const char* ClashText = "Файл «";
constexpr const char* ClashQuestionText = "» уже существует.\nЗаменить его файлом «";
constexpr const char* ClashEndText = "»?";
constexpr const char* FolderIntoItselfReason = "папку нельзя поместить в саму себя";
constexpr const char* SameFileReason = "источник и место назначения совпадают";
constexpr const char* FolderInTheWayReason = "на этом месте уже есть папка";
constexpr const char* FileInTheWayReason = "на этом месте уже есть файл";
constexpr const char* SizeMismatchReason = "размер копии не совпадает с размером исходного файла";

// One copy_file_range call moves at most this much, so progress and cancel stay responsive.
constexpr std::size_t CopyChunk = 16 * 1024 * 1024;
// Buffer of the plain read/write copy used where the kernel cannot copy between the files.
constexpr std::size_t BufferSize = 1024 * 1024;

enum class Outcome { Done, Skipped, Cancelled };

std::string Reason(int error) {
    return std::system_category().message(error);
}

std::string WithoutTrailingDelimiter(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string LastComponent(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Parent(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
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

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : Fd(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return Fd; }
    void Reset(int fd = -1) {
        if (Fd >= 0)
            ::close(Fd);
        Fd = fd;
    }
    // Closes and returns the error number of the close (0 when it went well): some file
    // systems report a failed write only here.
    int Close() {
        const int result = ::close(Fd);
        Fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int Fd;
};

// The sum of the regular files' lengths under a path, links not followed below the top.
std::uint64_t BytesUnder(const std::string& path, bool followLink) {
    struct stat info {};
    if ((followLink ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) != 0)
        return 0;
    if (S_ISREG(info.st_mode))
        return static_cast<std::uint64_t>(info.st_size);
    if (!S_ISDIR(info.st_mode))
        return 0;
    std::uint64_t total = 0;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.c_str()), ::closedir);
    if (!dir)
        return 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            total += BytesUnder(Join(path, name), false);
    }
    return total;
}

// One run of the service: the answers given "for all" hold until it ends.
class Operation {
public:
    Operation(FileOperationKind kind, Prompter& prompter, FileOperationProgress& progress,
              const FileOperationFaults& faults)
        : Kind(kind), Questions(prompter), Progress(progress), Faults(faults) {}

    Outcome Item(const std::string& givenSource, const std::string& destinationFolder);
    // Progress after a source is done: renames copy nothing but count as done.
    void Reached(std::uint64_t bytes) {
        if (bytes > BytesDone) {
            BytesDone = bytes;
            Progress.Advanced(BytesDone, std::string());
        }
    }

private:
    enum class Clash { Replace, Skip, Cancel };

    Outcome CopyEntry(const std::string& source, const std::string& target, const struct stat& info,
                      bool durable, bool replaceConfirmed);
    Outcome CopyFolder(const std::string& source, const std::string& target,
                       const struct stat& info, bool durable);
    Outcome CopyFile(const std::string& source, const std::string& target, const struct stat& info,
                     bool durable, bool replaceConfirmed);
    Outcome CopyLink(const std::string& source, const std::string& target, bool replaceConfirmed);
    Outcome Move(const std::string& source, const std::string& target, const struct stat& info);
    Outcome MoveContents(const std::string& source, const std::string& target,
                         const struct stat& info);

    // Checks what is already at the target. Done: the way is free or the user chose to replace
    // what is there; Skipped or Cancelled otherwise.
    Outcome ClearTheWay(const std::string& source, const std::string& target,
                        const struct stat& info, bool replaceConfirmed);
    Clash AskClash(const std::string& source, const std::string& target);
    Outcome Failed(const std::string& source, const std::string& target, const std::string& reason);
    int Rename(const std::string& from, const std::string& to);
    // A new empty file under a free hidden name beside the target, for its copy in progress;
    // the name is empty when none could be made. fd is the open file.
    std::string TemporaryFile(const std::string& target, int& fd);
    bool CopyBytes(int in, int out, const std::string& target, std::uint64_t& copied, int& error,
                   bool& cancelled);

    FileOperationKind Kind;
    Prompter& Questions;
    FileOperationProgress& Progress;
    const FileOperationFaults& Faults;
    bool ReplaceAll = false;
    bool SkipAll = false;
    bool KernelCopy = true;
    std::uint64_t BytesDone = 0;
    std::vector<char> Buffer;
};

Outcome Operation::Item(const std::string& givenSource, const std::string& destinationFolder) {
    if (Progress.CancelRequested())
        return Outcome::Cancelled;
    const std::string source = WithoutTrailingDelimiter(givenSource);
    const std::string target = Join(destinationFolder, LastComponent(source));

    // A source given as a link is copied as what it points to and moved as the link itself.
    struct stat info {};
    const int found = Kind == FileOperationKind::Copy ? ::stat(source.c_str(), &info)
                                                      : ::lstat(source.c_str(), &info);
    if (found != 0)
        return Failed(source, target, Reason(errno));
    if (S_ISDIR(info.st_mode) && IsInside(destinationFolder, source))
        return Failed(source, target, FolderIntoItselfReason);

    if (Kind == FileOperationKind::Copy)
        return CopyEntry(source, target, info, false, false);
    return Move(source, target, info);
}

Outcome Operation::CopyEntry(const std::string& source, const std::string& target,
                             const struct stat& info, bool durable, bool replaceConfirmed) {
    if (Progress.CancelRequested())
        return Outcome::Cancelled;
    if (S_ISDIR(info.st_mode))
        return CopyFolder(source, target, info, durable);
    if (S_ISREG(info.st_mode))
        return CopyFile(source, target, info, durable, replaceConfirmed);
    if (S_ISLNK(info.st_mode))
        return CopyLink(source, target, replaceConfirmed);
    return Outcome::Skipped;  // devices, FIFOs and sockets are no part of a collection
}

Outcome Operation::CopyFolder(const std::string& source, const std::string& target,
                              const struct stat& info, bool durable) {
    struct stat existing {};
    const bool created = ::lstat(target.c_str(), &existing) != 0;
    if (!created) {
        if (SameEntry(existing, info))
            return Failed(source, target, SameFileReason);
        if (!S_ISDIR(existing.st_mode))
            return Failed(source, target, FileInTheWayReason);
        // An existing folder takes the contents in; clashes inside are asked one by one.
    } else if (::mkdir(target.c_str(), 0700) != 0) {
        return Failed(source, target, Reason(errno));
    }

    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(source.c_str()), ::closedir);
    if (!dir)
        return Failed(source, target, Reason(errno));
    Outcome outcome = Outcome::Done;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string child = Join(source, name);
        struct stat childInfo {};
        Outcome result = Outcome::Done;
        if (::lstat(child.c_str(), &childInfo) != 0) {
            result = Failed(child, Join(target, name), Reason(errno));
        } else if (Kind == FileOperationKind::Move) {
            result = Move(child, Join(target, name), childInfo);
        } else {
            result = CopyEntry(child, Join(target, name), childInfo, durable, false);
        }
        if (result == Outcome::Cancelled)
            return Outcome::Cancelled;
        if (result == Outcome::Skipped)
            outcome = Outcome::Skipped;
    }
    // Write permission was needed while filling a new folder; now it gets the source's.
    if (created)
        ::chmod(target.c_str(), info.st_mode & 07777);
    return outcome;
}

Outcome Operation::ClearTheWay(const std::string& source, const std::string& target,
                               const struct stat& info, bool replaceConfirmed) {
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) != 0)
        return Outcome::Done;
    if (SameEntry(existing, info))
        return Failed(source, target, SameFileReason);
    if (S_ISDIR(existing.st_mode))
        return Failed(source, target, FolderInTheWayReason);
    if (!replaceConfirmed) {
        switch (AskClash(source, target)) {
            case Clash::Skip:
                return Outcome::Skipped;
            case Clash::Cancel:
                return Outcome::Cancelled;
            case Clash::Replace:
                break;
        }
    }
    return Outcome::Done;
}

Operation::Clash Operation::AskClash(const std::string& source, const std::string& target) {
    if (ReplaceAll)
        return Clash::Replace;
    if (SkipAll)
        return Clash::Skip;
    const std::string text = ClashText + target + ClashQuestionText + source + ClashEndText;
    // Replacing loses the file that is there, so No is the default.
    const PromptButton answer =
        Questions.MessageDialog(DialogKind::Confirmation, text,
                                {PromptButton::Yes, PromptButton::No, PromptButton::Cancel,
                                 PromptButton::NoToAll, PromptButton::YesToAll},
                                PromptButton::No);
    switch (answer) {
        case PromptButton::Yes:
            return Clash::Replace;
        case PromptButton::YesToAll:
            ReplaceAll = true;
            return Clash::Replace;
        case PromptButton::No:
            return Clash::Skip;
        case PromptButton::NoToAll:
            SkipAll = true;
            return Clash::Skip;
        default:
            return Clash::Cancel;
    }
}

Outcome Operation::Failed(const std::string& source, const std::string& target,
                          const std::string& reason) {
    const std::string text = (Kind == FileOperationKind::Copy ? CopyFailedText : MoveFailedText) +
                             source + IntoText + target + "»:\n" + reason + SkipQuestionText;
    const PromptButton answer = Questions.MessageDialog(
        DialogKind::Warning, text, {PromptButton::Yes, PromptButton::Cancel}, PromptButton::Yes);
    return answer == PromptButton::Yes ? Outcome::Skipped : Outcome::Cancelled;
}

int Operation::Rename(const std::string& from, const std::string& to) {
    if (Faults.BeforeRename) {
        if (const int error = Faults.BeforeRename(from, to))
            return error;
    }
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

std::string Operation::TemporaryFile(const std::string& target, int& fd) {
    std::string pattern = Join(Parent(target), ".~" + LastComponent(target) + ".XXXXXX");
    fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    return fd < 0 ? std::string() : pattern;
}

bool Operation::CopyBytes(int in, int out, const std::string& target, std::uint64_t& copied,
                          int& error, bool& cancelled) {
    for (;;) {
        if (Faults.BeforeWrite) {
            if ((error = Faults.BeforeWrite(target, copied)) != 0)
                return false;
        }
        ssize_t moved = -1;
        if (KernelCopy) {
            moved = ::copy_file_range(in, nullptr, out, nullptr, CopyChunk, 0);
            if (moved < 0 && copied == 0 &&
                (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                // This pair of file systems cannot copy in the kernel; go on with a buffer.
                KernelCopy = false;
            }
        }
        if (!KernelCopy) {
            if (Buffer.empty())
                Buffer.resize(BufferSize);
            moved = ::read(in, Buffer.data(), Buffer.size());
            for (ssize_t written = 0; moved > 0 && written < moved;) {
                const ssize_t step = ::write(out, Buffer.data() + written,
                                             static_cast<std::size_t>(moved - written));
                if (step < 0) {
                    if (errno == EINTR)
                        continue;
                    error = errno;
                    return false;
                }
                written += step;
            }
        }
        if (moved < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        if (moved == 0)
            return true;
        copied += static_cast<std::uint64_t>(moved);
        BytesDone += static_cast<std::uint64_t>(moved);
        Progress.Advanced(BytesDone, target);
        if (Progress.CancelRequested()) {
            cancelled = true;
            return false;
        }
    }
}

Outcome Operation::CopyFile(const std::string& source, const std::string& target,
                            const struct stat& info, bool durable, bool replaceConfirmed) {
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0)
        return Failed(source, target, Reason(errno));
    struct stat sourceInfo {};
    if (::fstat(in.Get(), &sourceInfo) != 0)
        return Failed(source, target, Reason(errno));

    // A free name is taken at once: the copy is made under it and removed again on any failure,
    // so nothing else is ever lost there. Only a file that is already there is replaced through
    // a temporary name, and so only by a whole copy.
    std::string written = target;
    FileDescriptor out(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (out.Get() < 0) {
        if (errno != EEXIST)
            return Failed(source, target, Reason(errno));
        const Outcome way = ClearTheWay(source, target, info, replaceConfirmed);
        if (way != Outcome::Done)
            return way;
        int fd = -1;
        written = TemporaryFile(target, fd);
        if (written.empty())
            return Failed(source, target, Reason(errno));
        out.Reset(fd);
    }
    // Removes the unfinished copy; a file that took the free name from someone else meanwhile
    // is not this copy and stays.
    auto removeCopy = [&] {
        struct stat made {};
        struct stat there {};
        const bool ours =
            written != target || (::fstat(out.Get(), &made) == 0 &&
                                  ::lstat(written.c_str(), &there) == 0 && SameEntry(made, there));
        out.Reset();
        if (ours)
            ::unlink(written.c_str());
    };
    auto discard = [&](const std::string& reason) {
        removeCopy();
        return Failed(source, target, reason);
    };

    std::uint64_t copied = 0;
    int error = 0;
    bool cancelled = false;
    if (!CopyBytes(in.Get(), out.Get(), target, copied, error, cancelled)) {
        if (cancelled) {
            removeCopy();
            return Outcome::Cancelled;
        }
        return discard(Reason(error));
    }

    // The copy must hold exactly what the source held when it was opened. The count of bytes
    // written into the new file is its size; a move, which removes the source next, also asks
    // the file system.
    if (copied != static_cast<std::uint64_t>(sourceInfo.st_size))
        return discard(SizeMismatchReason);
    if (durable) {
        struct stat copyInfo {};
        if (::fstat(out.Get(), &copyInfo) != 0)
            return discard(Reason(errno));
        if (copyInfo.st_size != sourceInfo.st_size)
            return discard(SizeMismatchReason);
    }

    ::fchmod(out.Get(), sourceInfo.st_mode & 07777);
    const struct timespec times[2] = {sourceInfo.st_atim, sourceInfo.st_mtim};
    ::futimens(out.Get(), times);
    // A move removes the source next, so its copy must be on the disk first.
    if (durable && ::fsync(out.Get()) != 0)
        return discard(Reason(errno));
    if (const int closeError = out.Close(); closeError != 0) {
        ::unlink(written.c_str());
        return Failed(source, target, Reason(closeError));
    }
    if (written != target) {
        if (const int renameError = Rename(written, target); renameError != 0) {
            ::unlink(written.c_str());
            return Failed(source, target, Reason(renameError));
        }
    }
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
    return Outcome::Done;
}

Outcome Operation::Move(const std::string& source, const std::string& target,
                        const struct stat& info) {
    if (Progress.CancelRequested())
        return Outcome::Cancelled;
    bool replaceConfirmed = false;
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0) {
        if (SameEntry(existing, info))
            return Failed(source, target, SameFileReason);
        if (S_ISDIR(info.st_mode) != S_ISDIR(existing.st_mode))
            return Failed(source, target,
                          S_ISDIR(existing.st_mode) ? FolderInTheWayReason : FileInTheWayReason);
        if (S_ISDIR(info.st_mode))
            return MoveContents(source, target, info);
        const Outcome way = ClearTheWay(source, target, info, false);
        if (way != Outcome::Done)
            return way;
        replaceConfirmed = true;
    }
    // Within one file system a rename moves a whole tree at once and replaces atomically.
    const int error = Rename(source, target);
    if (error == 0)
        return Outcome::Done;
    if (error != EXDEV)
        return Failed(source, target, Reason(error));
    if (S_ISDIR(info.st_mode))
        return MoveContents(source, target, info);
    if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode))
        return Outcome::Skipped;  // devices, FIFOs and sockets are no part of a collection
    const Outcome copied = CopyEntry(source, target, info, true, replaceConfirmed);
    if (copied != Outcome::Done)
        return copied;
    // The copy is complete, on the disk and of the right size: only now the source goes.
    if (::unlink(source.c_str()) != 0)
        return Failed(source, target, Reason(errno));
    return Outcome::Done;
}

Outcome Operation::MoveContents(const std::string& source, const std::string& target,
                                const struct stat& info) {
    // The entries move one by one (CopyFolder moves while the operation is a move); the emptied
    // source folder goes last, and whatever was skipped keeps it.
    Outcome outcome = CopyFolder(source, target, info, true);
    if (outcome == Outcome::Done && ::rmdir(source.c_str()) != 0)
        outcome = Failed(source, target, Reason(errno));
    return outcome;
}

}  // namespace

FileOperations::FileOperations(Prompter& prompter, FileOperationProgress& progress)
    : Questions(prompter), Progress(progress) {}

bool FileOperations::Run(FileOperationKind kind, const std::vector<std::string>& sources,
                         const std::string& destinationFolder, const std::string& progressTitle) {
    std::vector<std::uint64_t> sizes;
    std::uint64_t total = 0;
    for (const auto& source : sources) {
        sizes.push_back(
            BytesUnder(WithoutTrailingDelimiter(source), kind == FileOperationKind::Copy));
        total += sizes.back();
    }
    Progress.Started(progressTitle, total);

    const std::string destination = WithoutTrailingDelimiter(destinationFolder);
    Operation operation(kind, Questions, Progress, Faults);
    bool cancelled = false;
    std::uint64_t reached = 0;
    for (std::size_t i = 0; i < sources.size() && !cancelled; ++i) {
        cancelled = operation.Item(sources[i], destination) == Outcome::Cancelled;
        reached += sizes[i];
        operation.Reached(reached);
    }
    Progress.Finished();
    return !cancelled;
}
