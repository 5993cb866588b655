// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/WidePath.h"

#include <windows.h>

#include <algorithm>

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& utf16) {
    if (utf16.empty())
        return {};
    const int size = static_cast<int>(utf16.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::wstring LongPath(const std::string& utf8) {
    std::wstring path = Widen(utf8);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    static const std::wstring Prefix = L"\\\\?\\";
    if (path.rfind(Prefix, 0) == 0)
        return path;
    // The full path: the current folder and drive applied, "." and ".." resolved (the "\\?\" form
    // takes every component literally).
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    full.resize(length);
    if (full.rfind(L"\\\\", 0) == 0)
        return Prefix + L"UNC\\" + full.substr(2);
    return Prefix + full;
}

std::wstring ListingPattern(const std::string& folder) {
    std::wstring pattern = LongPath(folder);
    if (pattern.empty() || pattern.back() != L'\\')
        pattern += L'\\';
    return pattern + L'*';
}

std::string SystemMessage(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr)
        return "error " + std::to_string(error);
    std::wstring message(text, length);
    ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    return Narrow(message);
}
