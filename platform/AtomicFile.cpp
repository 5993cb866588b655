// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <system_error>
#include <vector>

#include "platform/FileDescriptor.h"
#include "platform/FileSystem.h"
#include "platform/PathNames.h"

namespace {

std::string SystemReason(int error) {
    return std::system_category().message(error);
}

// Where a write into path lands: the file a symbolic link points to (through a chain of links),
// or path itself. Relative link contents count from the link's folder.
bool ResolveLinks(const std::string& path, std::string& resolved, int& error) {
    // As many links as the system itself follows before it gives up.
    constexpr int MaxLinks = 40;
    resolved = path;
    for (int depth = 0; depth <= MaxLinks; ++depth) {
        struct stat info {};
        if (::lstat(resolved.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return true;
        std::vector<char> target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) +
                                 1);
        const ssize_t length = ::readlink(resolved.c_str(), target.data(), target.size());
        if (length < 0) {
            error = errno;
            return false;
        }
        const std::string pointsTo(target.data(), static_cast<std::size_t>(length));
        resolved = !pointsTo.empty() && pointsTo.front() == PathDelimiter
                       ? pointsTo
                       : JoinPath(ParentFolder(resolved), pointsTo);
    }
    error = ELOOP;
    return false;
}

}  // namespace

void RemovePartialFiles(const std::string& folder) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        struct stat info {};
        const std::string path = JoinPath(folder, name);
        if (IsPartialFileName(name) && ::lstat(path.c_str(), &info) == 0 &&
            (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)))
            ::unlink(path.c_str());
    }
}

bool ReplaceFileAtomically(const std::string& givenPath, const std::string& contents,
                           std::string& reason) {
    // The link stays a link: its target gets the new contents.
    std::string path;
    if (int error = 0; !ResolveLinks(givenPath, path, error)) {
        reason = givenPath + ": " + SystemReason(error);
        return false;
    }
    // A file its owner made read-only stays as it is, although the folder would let a rename
    // replace it.
    if (::access(path.c_str(), F_OK) == 0 && !CanWrite(path)) {
        reason = givenPath + ": " + SystemReason(errno);
        return false;
    }
    RemovePartialFiles(ParentFolder(path));
    const std::string pattern = PartialFilePattern(path);
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        reason = path + ": " + SystemReason(errno);
        return false;
    }
    const std::string temp(tempName.data());

    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        reason = path + ": " + SystemReason(error);
        return false;
    };

    // mkstemp creates the file readable by its owner only; keep the old file's permissions, or
    // the usual ones for a new file.
    struct stat old {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &old) == 0)
        mode = old.st_mode & 07777;
    if (::fchmod(fd, mode) != 0)
        return fail(errno);
    if (!WriteAll(fd, contents.data(), contents.size()))
        return fail(errno);
    if (::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        reason = path + ": " + SystemReason(error);
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        reason = path + ": " + SystemReason(error);
        return false;
    }
    // The rename itself becomes durable with the folder's entry.
    SyncFolder(ParentFolder(path).c_str());
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& contents, bool& missing) {
    missing = false;
    contents.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        missing = errno == ENOENT;
        return false;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return true;
}
