// SPDX-License-Identifier: GPL-3.0-or-later
// Putting a folder's entries on the disk, on Windows: its handle flushed.
#include <windows.h>

#include "platform/FileDescriptor.h"
#include "platform/win32/WidePath.h"

int SyncFolder(const char* folder) {
    HANDLE handle = ::CreateFileW(LongPath(folder).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return static_cast<int>(::GetLastError());
    const bool flushed = ::FlushFileBuffers(handle) != 0;
    const DWORD error = ::GetLastError();
    ::CloseHandle(handle);
    return flushed ? 0 : static_cast<int>(error);
}
