// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/Browsefordir.h"

#include <QDir>
#include <QFileDialog>

#include "dialogs/ChooserStart.h"

bool BrowseForFolder(QWidget* owner, std::string& folder, const std::string& title) {
    const ChooserStart start = ChooserStartFor(folder);
    QFileDialog dialog(owner, QString::fromStdString(title), QString::fromStdString(start.Folder));
    dialog.setFileMode(QFileDialog::Directory);
    // Read-only: the chooser offers no button for making a new folder.
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
    if (!start.Selected.empty())
        dialog.selectFile(QString::fromStdString(start.Selected));
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    const QString chosen = accepted ? dialog.selectedFiles().constFirst() : QString();
    LeaveOutOfLargeFolder(dialog);
    if (chosen.isEmpty())
        return false;
    folder = QDir::toNativeSeparators(QDir::cleanPath(chosen)).toStdString();
    return true;
}
