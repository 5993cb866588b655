// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/FileChooser.h"

// File dialogs answered by the test: the files or the folder it set (nothing set: cancelled).
// Every dialog's title and start folder are recorded.
class ScriptedFileChooser : public FileChooser {
public:
    std::vector<std::string> ChooseFiles(const std::string& title,
                                         const std::string& filter) override {
        Titles.push_back(title);
        Filters.push_back(filter);
        return Files;
    }
    bool ChooseFolder(std::string& folder, const std::string& title) override {
        Titles.push_back(title);
        StartFolders.push_back(folder);
        if (!Folder)
            return false;
        folder = *Folder;
        return true;
    }

    std::vector<std::string> Files;
    std::optional<std::string> Folder;
    std::vector<std::string> Titles;
    std::vector<std::string> Filters;
    std::vector<std::string> StartFolders;
};
