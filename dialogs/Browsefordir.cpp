// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/Browsefordir.h"

#include <QDir>
#include <QFileDialog>

bool BrowseForFolder(QWidget* owner, std::string& folder, const std::string& title) {
    // Read-only: the chooser offers no button for making a new folder.
    const QString chosen = QFileDialog::getExistingDirectory(
        owner, QString::fromStdString(title), QString::fromStdString(folder),
        QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
    if (chosen.isEmpty())
        return false;
    folder = QDir::toNativeSeparators(QDir::cleanPath(chosen)).toStdString();
    return true;
}
