// SPDX-License-Identifier: GPL-3.0-or-later
// The file-system facilities on Windows: the hidden and system attributes are the file's own, a
// reparse point (symbolic link, junction) met inside a folder is an entry of its own and never
// followed.
#include "platform/FileSystem.h"

#include <windows.h>

#include "platform/win32/FolderSearch.h"
#include "platform/win32/WidePath.h"

std::optional<PathAttributes> ReadPathAttributes(const std::string& path) {
    // Opened, not merely looked up, so that a link stands for its target.
    HANDLE file = ::CreateFileW(LongPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool read = ::GetFileInformationByHandle(file, &info) != 0;
    ::CloseHandle(file);
    if (!read)
        return std::nullopt;
    PathAttributes attributes;
    attributes.Directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    attributes.Hidden = (info.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    attributes.System = (info.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    attributes.Length = LengthOf(info.nFileSizeHigh, info.nFileSizeLow);
    return attributes;
}

bool HasMoreEntriesThan(const std::string& folder, std::size_t count) {
    std::size_t seen = 0;
    ForEachEntry(folder, [&seen, count](const WIN32_FIND_DATAW&) { return ++seen <= count; });
    return seen > count;
}

bool FileExists(const std::string& path) {
    const auto attributes = ReadPathAttributes(path);
    return attributes && !attributes->Directory;
}

bool CanWrite(const std::string& path) {
    const std::wstring wide = LongPath(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        // A file: the read-only attribute says no (even to an administrator), and its security
        // by refusing the opening.
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
            return false;
        HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        ::CloseHandle(file);
        return true;
    }
    // A folder: its security decides, which only a try tells (a folder of Program Files refuses
    // an ordinary user). The probe is deleted as it is closed.
    const std::wstring probe =
        wide + L"\\.vantrel-probe-" + std::to_wstring(::GetCurrentProcessId());
    HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

std::string FullPath(const std::string& path) {
    const std::wstring wide = Widen(path);
    const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    full.resize(::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr));
    // A drive's root keeps its delimiter.
    std::string result = Narrow(full);
    if (result.size() > 3 && result.back() == PathDelimiter)
        result.pop_back();
    return result;
}

// Windows decides who may write by a folder's security, which CanWrite tries: ownership is not
// asked, so every path that exists counts as the user's own.
std::optional<std::uint32_t> OwnerOf(const std::string& path) {
    if (::GetFileAttributesW(LongPath(path).c_str()) == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return EffectiveUser();
}

std::uint32_t EffectiveUser() {
    return 0;
}

std::string ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return Narrow(path);
        }
        path.resize(path.size() * 2);
    }
}
