// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/WholeFileCopy.h"

#include <windows.h>

#include <vector>

#include "platform/win32/FileHandle.h"
#include "platform/win32/PartialFile.h"
#include "platform/win32/WidePath.h"

namespace {

constexpr DWORD BlockSize = 1 << 20;
// The attributes a copy takes over from its source.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

WholeFileResult Failed(DWORD error) {
    WholeFileResult result;
    result.Error = error == 0 ? ERROR_GEN_FAILURE : error;
    result.Reason = Failure{FailureReason::System, SystemMessage(result.Error)};
    return result;
}

// Copies the bytes from in to out, block by block.
WholeFileResult CopyBytes(HANDLE in, HANDLE out, const AfterBlock& afterBlock,
                          const BlockSink& sink) {
    WholeFileResult result;
    std::vector<char> buffer(BlockSize);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(in, buffer.data(), BlockSize, &got, nullptr))
            return Failed(::GetLastError());
        if (got == 0)
            return result;
        for (DWORD done = 0; done < got;) {
            DWORD written = 0;
            if (!::WriteFile(out, buffer.data() + done, got - done, &written, nullptr) ||
                written == 0)
                return Failed(::GetLastError());
            done += written;
        }
        if (sink)
            sink(buffer.data(), got);
        result.Copied += got;
        if (afterBlock && !afterBlock(got)) {
            result.Cancelled = true;
            return result;
        }
    }
}

}  // namespace

WholeFileResult CopyFileWhole(const std::string& source, const std::string& target, bool replacing,
                              const AfterBlock& afterBlock, const BlockSink& sink) {
    const std::wstring to = LongPath(target);
    FileHandle in(::CreateFileW(LongPath(source).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in.Valid())
        return Failed(::GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(in.Handle, &info))
        return Failed(::GetLastError());
    std::wstring temp;
    FileHandle out(CreatePartialFile(to, temp));
    if (!out.Valid())
        return Failed(::GetLastError());
    auto discard = [&](WholeFileResult result) {
        out.Close();
        // It may be read-only already, as its source is.
        ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(temp.c_str());
        return result;
    };

    WholeFileResult result = CopyBytes(in.Handle, out.Handle, afterBlock, sink);
    if (!result.Done())
        return discard(result);
    if (!::FlushFileBuffers(out.Handle))
        return discard(Failed(::GetLastError()));
    LARGE_INTEGER written{};
    if (!::GetFileSizeEx(out.Handle, &written))
        return discard(Failed(::GetLastError()));
    const std::uint64_t expected =
        (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (static_cast<std::uint64_t>(written.QuadPart) != expected || result.Copied != expected) {
        result.Reason = Failure{FailureReason::SizeMismatch, {}};
        return discard(result);
    }
    // Whole now: it takes the source's attributes (hidden no longer, unless the source is) and
    // time of last change.
    FILE_BASIC_INFO basic{};
    basic.LastWriteTime.LowPart = info.ftLastWriteTime.dwLowDateTime;
    basic.LastWriteTime.HighPart = static_cast<LONG>(info.ftLastWriteTime.dwHighDateTime);
    basic.FileAttributes = (info.dwFileAttributes & KeptAttributes) != 0
                               ? info.dwFileAttributes & KeptAttributes
                               : FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileInformationByHandle(out.Handle, FileBasicInfo, &basic, sizeof basic))
        return discard(Failed(::GetLastError()));
    if (!out.Close())
        return discard(Failed(::GetLastError()));
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replacing ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!::MoveFileExW(temp.c_str(), to.c_str(), flags))
        return discard(Failed(::GetLastError()));
    return result;
}

WholeFileResult MoveAcrossVolumes(const std::string& source, const std::string& target,
                                  bool replacing, const AfterBlock& afterBlock,
                                  const BlockSink& sink) {
    WholeFileResult result = CopyFileWhole(source, target, replacing, afterBlock, sink);
    if (!result.Done())
        return result;
    const std::wstring from = LongPath(source);
    // A read-only source is deleted as the move asks; its copy keeps the attribute.
    const DWORD attributes = ::GetFileAttributesW(from.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        ::SetFileAttributesW(from.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!::DeleteFileW(from.c_str())) {
        const DWORD error = ::GetLastError();
        if (attributes != INVALID_FILE_ATTRIBUTES)
            ::SetFileAttributesW(from.c_str(), attributes);
        result.Error = error;
        result.Reason = Failure{FailureReason::System, SystemMessage(error)};
    }
    return result;
}

WholeFileResult MoveFileWhole(const std::string& source, const std::string& target, bool replacing,
                              const AfterBlock& afterBlock) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replacing ? MOVEFILE_REPLACE_EXISTING : 0);
    if (::MoveFileExW(LongPath(source).c_str(), LongPath(target).c_str(), flags)) {
        WholeFileResult moved;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (::GetFileAttributesExW(LongPath(target).c_str(), GetFileExInfoStandard, &data)) {
            moved.Copied =
                (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            if (afterBlock)
                afterBlock(moved.Copied);
        }
        return moved;
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_NOT_SAME_DEVICE)
        return Failed(error);
    return MoveAcrossVolumes(source, target, replacing, afterBlock);
}
