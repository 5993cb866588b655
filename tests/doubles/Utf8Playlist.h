// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The bytes of a playlist file holding the UTF-8 text as it is. Windows reads a playlist without a
// byte-order mark in its ANSI code page, so there the mark goes first; elsewhere playlists are
// UTF-8 without one.
inline std::string Utf8PlaylistFile(const std::string& text) {
#ifdef _WIN32
    return "\xEF\xBB\xBF" + text;
#else
    return text;
#endif
}
