// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The characters no file or folder name may hold (a NUL aside); a medium's name and a folder's
// own name are refused when they hold one.
inline constexpr std::string_view ForbiddenNameCharacters = "\\/:*?\"<>|";

// Whether the text may be the name the results give each medium's files and folders before its
// number: none of the forbidden characters and no NUL.
bool IsMediumNameAllowed(std::string_view name);
