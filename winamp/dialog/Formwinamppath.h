// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QDialog>

#include "winamp/WinampPathDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class Prompter;

// The folder chooser: owner, the folder (preset on entry, the chosen one on a true result) and
// the title shown above the folders.
using BrowseForFolderFunction =
    std::function<bool(QWidget* owner, std::string& folder, const std::string& title)>;

// Asks for the folder that holds the player's program when it is not registered or holds none,
// and does not close with OK until the program is there.
class TdlgWinampPath : public QDialog {
    Q_OBJECT

public:
    TdlgWinampPath(QWidget* owner, Prompter& prompter, BrowseForFolderFunction browseForFolder);

    // Closing with OK checks the folder first; every other way closes without a check.
    void done(int result) override;

    QLabel* imgIconExclamation = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* editWinampDir = nullptr;
    QToolButton* btnWinampDir = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void btnWinampDirClick();
    bool FormCloseQuery();

    Prompter& Questions;
    BrowseForFolderFunction BrowseForFolder;
};

// The folder dialog as the player logic asks for it, owned by the given window.
class WinampPathDialogQt : public WinampPathDialog {
public:
    WinampPathDialogQt(QWidget* owner, Prompter& prompter, BrowseForFolderFunction browseForFolder);

    std::optional<std::string> Execute(const std::string& folder) override;

private:
    QWidget* Owner;
    Prompter& Questions;
    BrowseForFolderFunction BrowseForFolder;
};
