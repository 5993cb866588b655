// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// An open file descriptor, closed when the object goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : Fd(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return Fd; }
    bool IsOpen() const { return Fd >= 0; }
    // Closes the descriptor held (errors ignored) and holds fd instead.
    void Reset(int fd = -1);
    // Closes and returns the error number of the close (0 when it went well): some file systems
    // report a failed write only here.
    int Close();

private:
    int Fd;
};

// Flushes a folder's entries to the disk, so that files created, renamed or removed in it stay
// so after a crash. Returns 0 or the error number.
int SyncFolder(const char* folder);

// Writes all the bytes to the descriptor, however many writes it takes. False on an error, with
// errno telling which.
bool WriteAll(int fd, const char* data, std::size_t size);
