// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtFileChooser.h"

#include <QDir>
#include <QFileDialog>

#include "dialogs/Browsefordir.h"
#include "dialogs/ChooserStart.h"

std::vector<std::string> QtFileChooser::ChooseFiles(const std::string& title,
                                                    const std::string& filter) {
    QFileDialog dialog(Owner, QString::fromStdString(title), QString(),
                       QString::fromStdString(filter));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setFilter(dialog.filter() | QDir::Hidden);
    std::vector<std::string> files;
    const bool accepted = dialog.exec() == QDialog::Accepted;
    LeaveOutOfLargeFolder(dialog);
    if (!accepted)
        return files;
    for (const QString& file : dialog.selectedFiles())
        files.push_back(QDir::toNativeSeparators(file).toStdString());
    return files;
}

bool QtFileChooser::ChooseFolder(std::string& folder, const std::string& title) {
    return BrowseForFolder(Owner, folder, title);
}
