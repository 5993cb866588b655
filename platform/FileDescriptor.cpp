// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileDescriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

void FileDescriptor::Reset(int fd) {
    if (Fd >= 0)
        ::close(Fd);
    Fd = fd;
}

int FileDescriptor::Close() {
    const int result = ::close(Fd);
    Fd = -1;
    return result == 0 ? 0 : errno;
}

int SyncFolder(const char* folder) {
    FileDescriptor fd(::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.IsOpen())
        return errno;
    if (::fsync(fd.Get()) != 0)
        return errno;
    return fd.Close();
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}
