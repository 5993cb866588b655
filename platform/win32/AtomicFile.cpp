// SPDX-License-Identifier: GPL-3.0-or-later
// Whole files replaced and read on Windows: the new contents under a hidden temporary name beside
// the file, flushed to the disk, then moved over it with write-through.
#include "platform/AtomicFile.h"

#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/PathNames.h"
#include "platform/win32/FileHandle.h"
#include "platform/win32/FolderSearch.h"
#include "platform/win32/PartialFile.h"
#include "platform/win32/WidePath.h"

namespace {

// Where a write into path lands: the file a symbolic link points to (through a chain of links),
// or path itself when it is no link or does not exist yet.
std::wstring WriteTarget(const std::string& path) {
    const std::wstring wide = LongPath(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return wide;
    FileHandle file(::CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid())
        return wide;
    std::wstring target(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(file.Handle, target.data(),
                                               static_cast<DWORD>(target.size()), 0);
    if (length >= target.size()) {
        target.resize(length);
        length = ::GetFinalPathNameByHandleW(file.Handle, target.data(),
                                             static_cast<DWORD>(target.size()), 0);
    }
    if (length == 0 || length >= target.size())
        return wide;
    target.resize(length);
    return target;
}

bool WriteAll(HANDLE file, const std::string& contents) {
    const char* data = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        const DWORD chunk = left > (1U << 30) ? (1U << 30) : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!::WriteFile(file, data, chunk, &written, nullptr) || written == 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

}  // namespace

void RemovePartialFiles(const std::string& folder) {
    ForEachEntry(folder, [&folder](const WIN32_FIND_DATAW& found) {
        const std::string name = Narrow(found.cFileName);
        if (IsPartialFileName(name) && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            // A partial file is hidden, and may be read-only as its source was.
            const std::wstring path = LongPath(JoinPath(folder, name));
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(path.c_str());
        }
        return true;
    });
}

bool ReplaceFileAtomically(const std::string& givenPath, const std::string& contents,
                           std::string& reason) {
    const std::wstring target = WriteTarget(givenPath);
    const std::string path = Narrow(target);
    auto failed = [&reason, &givenPath](DWORD error) {
        reason = givenPath + ": " + SystemMessage(error);
        return false;
    };
    // A file made read-only stays as it is, although the folder would let a move replace it.
    const DWORD oldAttributes = ::GetFileAttributesW(target.c_str());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES && !CanWrite(path))
        return failed(ERROR_ACCESS_DENIED);

    RemovePartialFiles(ParentFolder(path));
    std::wstring temp;
    FileHandle file(CreatePartialFile(target, temp));
    if (!file.Valid())
        return failed(::GetLastError());
    auto discard = [&](DWORD error) {
        file.Close();
        ::DeleteFileW(temp.c_str());
        return failed(error);
    };
    if (!WriteAll(file.Handle, contents) || !::FlushFileBuffers(file.Handle))
        return discard(::GetLastError());
    // The file takes the attributes of the one it replaces (hidden no longer: it is whole now).
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = oldAttributes != INVALID_FILE_ATTRIBUTES
                               ? oldAttributes & ~FILE_ATTRIBUTE_DIRECTORY
                               : FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileInformationByHandle(file.Handle, FileBasicInfo, &basic, sizeof basic))
        return discard(::GetLastError());
    if (!file.Close())
        return discard(::GetLastError());
    if (!::MoveFileExW(temp.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return discard(::GetLastError());
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& contents, bool& missing) {
    missing = false;
    contents.clear();
    FileHandle file(::CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) {
        const DWORD error = ::GetLastError();
        missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return false;
    }
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Handle, buffer, sizeof buffer, &got, nullptr))
            return false;
        if (got == 0)
            return true;
        contents.append(buffer, got);
    }
}
