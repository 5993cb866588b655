// SPDX-License-Identifier: GPL-3.0-or-later
// The image's file through the wide Win32 calls: a hidden partial file that is flushed to the disk
// before it takes its name with write-through.
#include "disc/ImageFile.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/win32/PartialFile.h"
#include "platform/win32/WidePath.h"

namespace {

Failure SystemFailure(DWORD error) {
    return {FailureReason::System, SystemMessage(error)};
}

}  // namespace

ImageFile::ImageFile(const std::string& imagePath) : Final(imagePath) {
    std::wstring temporary;
    HANDLE file = CreatePartialFile(LongPath(imagePath), temporary);
    if (file == INVALID_HANDLE_VALUE) {
        Problem = SystemFailure(::GetLastError());
        return;
    }
    Handle = file;
    Temporary = Narrow(temporary);
}

ImageFile::~ImageFile() {
    if (Handle != nullptr)
        ::CloseHandle(Handle);
    if (!Committed && !Problem)
        ::DeleteFileW(Widen(Temporary).c_str());
}

std::optional<Failure> ImageFile::Write(const unsigned char* bytes, std::size_t size) {
    while (size > 0) {
        const DWORD step =
            static_cast<DWORD>(std::min<std::size_t>(size, std::numeric_limits<DWORD>::max()));
        DWORD written = 0;
        if (!::WriteFile(Handle, bytes, step, &written, nullptr))
            return SystemFailure(::GetLastError());
        bytes += written;
        size -= written;
    }
    return std::nullopt;
}

std::optional<Failure> ImageFile::Commit() {
    const bool flushed = ::FlushFileBuffers(Handle) != 0;
    const DWORD flushError = ::GetLastError();
    const bool closed = ::CloseHandle(Handle) != 0;
    const DWORD closeError = ::GetLastError();
    Handle = nullptr;
    if (!flushed)
        return SystemFailure(flushError);
    if (!closed)
        return SystemFailure(closeError);
    // The partial file is hidden; the image is not.
    const std::wstring temporary = Widen(Temporary);
    ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::MoveFileExW(temporary.c_str(), LongPath(Final).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return SystemFailure(::GetLastError());
    Committed = true;
    return std::nullopt;
}
