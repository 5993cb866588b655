// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// Paths are UTF-8 text inside the program. The standard library reads a narrow string as the
// system's code page where that is not UTF-8 (Windows: the ANSI code page), so a path crosses into
// and out of it only through these, which name the encoding; there its calls are the wide ones.

inline std::filesystem::path Utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Opens a file to read its bytes; nullptr when it cannot be opened.
inline std::FILE* OpenFileToRead(const std::string& path) {
#ifdef _WIN32
    return ::_wfopen(Utf8Path(path).c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}
