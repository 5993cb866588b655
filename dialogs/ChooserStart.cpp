// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ChooserStart.h"

#include <QDir>
#include <QFileDialog>

#include "platform/FileSystem.h"
#include "platform/PathNames.h"

ChooserStart ChooserStartFor(const std::string& wanted, std::size_t largeFolder) {
    ChooserStart start{WithoutTrailingDelimiter(wanted), {}};
    while (HasMoreEntriesThan(start.Folder, largeFolder)) {
        const std::string parent = ParentFolder(start.Folder);
        if (parent.empty() || parent == start.Folder)
            break;
        start.Selected = start.Folder;
        start.Folder = parent;
    }
    return start;
}

void LeaveOutOfLargeFolder(QFileDialog& dialog) {
    const ChooserStart start =
        ChooserStartFor(QDir::toNativeSeparators(dialog.directory().absolutePath()).toStdString());
    if (!start.Selected.empty())
        dialog.setDirectory(QString::fromStdString(start.Folder));
}
