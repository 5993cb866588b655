// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts the window shows on more than one page.
namespace PageText {

inline constexpr const char* NameColumn = "Имя";
inline constexpr const char* LengthColumn = "Длина";
inline constexpr const char* TotalPrefix = "Всего: ";
inline constexpr const char* TotalStart = "Всего: 0";

}  // namespace PageText
