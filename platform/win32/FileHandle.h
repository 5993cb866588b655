// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

// An open file handle, closed when it goes.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : Handle(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool Valid() const { return Handle != INVALID_HANDLE_VALUE; }

    // Closes it now; false when the system reported a failure (a write it could not finish).
    bool Close() {
        const bool closed = !Valid() || ::CloseHandle(Handle) != 0;
        Handle = INVALID_HANDLE_VALUE;
        return closed;
    }

    HANDLE Handle;
};
