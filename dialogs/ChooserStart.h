// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

class QFileDialog;

// Qt's file dialog lists a folder of 100 000 entries for a quarter of a minute and answers the
// user only between batches meanwhile. So the window's dialogs never open in such a folder: they
// start in the nearest folder above it that lists quickly, with the large one selected there.

// Folders with more entries than this list too slowly to open a dialog in.
inline constexpr std::size_t LargeFolderEntries = 5000;

struct ChooserStart {
    std::string Folder;    // where the dialog opens
    std::string Selected;  // the folder asked for when it is too large to open in; else empty
};

ChooserStart ChooserStartFor(const std::string& wanted,
                             std::size_t largeFolder = LargeFolderEntries);

// Qt opens its next dialog first in the folder the last one showed, before the folder it is
// asked for: a dialog that ended in a large folder is moved to where ChooserStartFor would start.
void LeaveOutOfLargeFolder(QFileDialog& dialog);
