// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/ReparsePoint.h"

#include <winioctl.h>

#include "platform/win32/PartialFile.h"
#include "platform/win32/WidePath.h"

namespace {

HANDLE OpenAsItself(const std::wstring& path, DWORD access) {
    return ::CreateFileW(
        path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Gives the entry the reparse data; the system's error, 0 on success.
DWORD SetReparseData(const std::wstring& path, const std::string& data) {
    HANDLE entry = OpenAsItself(path, GENERIC_WRITE);
    if (entry == INVALID_HANDLE_VALUE)
        return ::GetLastError();
    DWORD returned = 0;
    std::string input = data;
    const bool set =
        ::DeviceIoControl(entry, FSCTL_SET_REPARSE_POINT, input.data(),
                          static_cast<DWORD>(input.size()), nullptr, 0, &returned, nullptr) != 0;
    const DWORD error = set ? 0 : ::GetLastError();
    ::CloseHandle(entry);
    return error;
}

}  // namespace

std::optional<std::string> ReadReparseData(const std::string& path, DWORD& error) {
    HANDLE link = OpenAsItself(LongPath(path), FILE_READ_ATTRIBUTES);
    if (link == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return std::nullopt;
    }
    std::string data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE, '\0');
    DWORD length = 0;
    const bool read = ::DeviceIoControl(link, FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(),
                                        static_cast<DWORD>(data.size()), &length, nullptr) != 0;
    error = read ? 0 : ::GetLastError();
    ::CloseHandle(link);
    if (!read)
        return std::nullopt;
    data.resize(length);
    return data;
}

bool MakeReparsePointBeside(const std::string& target, const std::string& data, bool folder,
                            DWORD attributes, std::string& temp, DWORD& error) {
    // A free temporary name, taken by an empty file; a folder's link is a folder of that name.
    std::wstring name;
    HANDLE file = CreatePartialFile(LongPath(target), name);
    if (file == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return false;
    }
    ::CloseHandle(file);
    if (folder && (!::DeleteFileW(name.c_str()) || !::CreateDirectoryW(name.c_str(), nullptr))) {
        error = ::GetLastError();
        ::DeleteFileW(name.c_str());
        return false;
    }
    error = SetReparseData(name, data);
    const DWORD made = ::GetFileAttributesW(name.c_str());
    if (error == 0 &&
        (made == INVALID_FILE_ATTRIBUTES || (made & FILE_ATTRIBUTE_REPARSE_POINT) == 0))
        error = ERROR_NOT_SUPPORTED;  // success reported, and no link made
    if (error == 0) {
        constexpr DWORD Settable = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM |
                                   FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        const DWORD kept = attributes & Settable;
        ::SetFileAttributesW(name.c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL);
        temp = Narrow(name);
        return true;
    }
    if (folder)
        ::RemoveDirectoryW(name.c_str());
    else
        ::DeleteFileW(name.c_str());
    return false;
}
