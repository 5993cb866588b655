// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/win32/WidePath.h"

// A 64-bit length from the two halves Win32 reports it in.
inline std::uint64_t LengthOf(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// Calls visit with every entry of a folder but "." and ".." until it returns false; false when
// the folder cannot be listed.
template <typename Visit>
bool ForEachEntry(const std::string& folder, Visit visit) {
    const std::wstring pattern = ListingPattern(folder);
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (!visit(found))
            break;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return true;
}
