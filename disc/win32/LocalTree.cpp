// SPDX-License-Identifier: GPL-3.0-or-later
// The local files through the wide Win32 calls: a reparse point (symbolic link, junction) is a
// link, described as itself.
#include "disc/LocalTree.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/WidePath.h"

namespace {

LocalEntry FromAttributes(DWORD attributes, DWORD high, DWORD low) {
    LocalEntry entry;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        entry.Kind = LocalKind::Link;
    } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        entry.Kind = LocalKind::Folder;
    } else if ((attributes & FILE_ATTRIBUTE_DEVICE) == 0) {
        entry.Kind = LocalKind::File;
        entry.Length = (static_cast<std::uint64_t>(high) << 32) | low;
    }
    return entry;
}

// The long form without its "\\?\" prefix: a full path with "\" as delimiter.
std::string FullLocalPath(const std::string& path) {
    std::wstring full = LongPath(path);
    static const std::wstring Prefix = L"\\\\?\\";
    static const std::wstring Unc = L"\\\\?\\UNC\\";
    if (full.rfind(Unc, 0) == 0)
        return "\\\\" + Narrow(full.substr(Unc.size()));
    if (full.rfind(Prefix, 0) == 0)
        return Narrow(full.substr(Prefix.size()));
    return Narrow(full);
}

}  // namespace

std::optional<LocalEntry> ReadLocalEntry(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return FromAttributes(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow);
}

std::optional<std::string> ReadLocalLink(const std::string&) {
    // The image reads what a reparse point leads to; its target is never recorded.
    return std::nullopt;
}

std::optional<std::string> ResolveLocalPath(const std::string& path) {
    if (!ReadLocalEntry(path))
        return std::nullopt;
    return FullLocalPath(path);
}

std::string IsoLocalPath(const std::string& path) {
    std::string full = FullLocalPath(path);
    if (full.rfind("\\\\", 0) == 0)
        full = "UNC" + full.substr(1);
    std::replace(full.begin(), full.end(), '\\', '/');
    return "/" + full;
}
