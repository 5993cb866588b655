// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The window's file dialogs: the open dialog and the folder chooser. The window holds this
// interface so that tests answer for the user instead of a modal dialog.
class FileChooser {
public:
    virtual ~FileChooser() = default;

    // Existing files the user picked in an open dialog (several allowed, hidden files shown);
    // nothing when the dialog was cancelled. filter is in Qt's form, "Name (*.ext)".
    virtual std::vector<std::string> ChooseFiles(const std::string& title,
                                                 const std::string& filter) = 0;
    // The folder chooser starting at folder; on true, folder is the chosen one.
    virtual bool ChooseFolder(std::string& folder, const std::string& title) = 0;
};
