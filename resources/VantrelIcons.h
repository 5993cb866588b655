// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The program's own images, compiled into it. Each icon carries a double-size image for screens
// with high pixel density.
namespace VantrelIcons {
QIcon Application();

// The marks of the sorted column of a list.
QIcon SortUp();
QIcon SortDown();

// The glyphs of the four actions of the Results page.
QIcon TextList();
QIcon Playlist();
QIcon MoveTo();
QIcon CopyTo();

// A letter, for links that write a mail.
QIcon Mail();
}  // namespace VantrelIcons
