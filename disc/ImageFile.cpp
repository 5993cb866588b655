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

}  // namespace

ImageFile::ImageFile(const std::string& imagePath)
    : Final(imagePath), Temporary(PartialFilePattern(imagePath)) {
    Descriptor = ::mkostemp(Temporary.data(), O_CLOEXEC);
    if (Descriptor < 0)
        Problem = SystemFailure(errno);
    else
        ::fchmod(Descriptor, 0644);
}

ImageFile::~ImageFile() {
    if (Descriptor >= 0)
        ::close(Descriptor);
    if (!Committed && !Problem)
        ::unlink(Temporary.c_str());
}

std::optional<Failure> ImageFile::Write(const unsigned char* bytes, std::size_t size) {
    if (!WriteAll(Descriptor, reinterpret_cast<const char*>(bytes), size))
        return SystemFailure(errno);
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
