// SPDX-License-Identifier: GPL-3.0-or-later
// The image's file through POSIX calls.
#include "disc/ImageFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/AtomicFile.h"
#include "platform/FileDescriptor.h"
#include "platform/PathNames.h"

namespace {

Failure SystemFailure(int error) {
    return {FailureReason::System, std::generic_category().message(error)};
}

// Lets the file's writes bypass the system's cache where its file system allows: the image is
// written once and synced, so copying it into the cache first only costs time.
void WriteDirectly(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags | O_DIRECT);
}

// Goes back to writing through the cache, for a write the file system will not take directly (a
// piece of odd length); false when the file was not written directly.
bool WriteThroughCache(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && (flags & O_DIRECT) != 0 && ::fcntl(fd, F_SETFL, flags & ~O_DIRECT) == 0;
}

}  // namespace

ImageFile::ImageFile(const std::string& imagePath)
    : Final(imagePath), Temporary(PartialFilePattern(imagePath)) {
    Descriptor = ::mkostemp(Temporary.data(), O_CLOEXEC);
    if (Descriptor < 0)
        Problem = SystemFailure(errno);
    else
        ::fchmod(Descriptor, 0644);
    if (Descriptor >= 0)
        WriteDirectly(Descriptor);
}

ImageFile::~ImageFile() {
    if (Descriptor >= 0)
        ::close(Descriptor);
    if (!Committed && !Problem)
        ::unlink(Temporary.c_str());
}

std::optional<Failure> ImageFile::Write(const unsigned char* bytes, std::size_t size) {
    for (std::size_t written = 0; written < size;) {
        const ssize_t step = ::write(Descriptor, bytes + written, size - written);
        const int error = errno;
        if (step < 0 && (error == EINTR || (error == EINVAL && WriteThroughCache(Descriptor))))
            continue;
        if (step < 0)
            return SystemFailure(error);
        written += static_cast<std::size_t>(step);
    }
    return std::nullopt;
}

std::optional<Failure> ImageFile::Commit() {
    FileDescriptor file(Descriptor);
    Descriptor = -1;
    // The image takes its name only once it is on the disk, and the new name goes there too.
    if (::fsync(file.Get()) != 0)
        return SystemFailure(errno);
    if (const int error = file.Close(); error != 0)
        return SystemFailure(error);
    if (::rename(Temporary.c_str(), Final.c_str()) != 0)
        return SystemFailure(errno);
    Committed = true;
    SyncFolder(ParentFolder(Final).c_str());
    return std::nullopt;
}
