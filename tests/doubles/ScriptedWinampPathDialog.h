// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "winamp/WinampPathDialog.h"

// The player's folder dialog answering from a script: the folder confirmed, or nothing for a
// cancel. Records the preset of every showing.
class ScriptedWinampPathDialog : public WinampPathDialog {
public:
    std::optional<std::string> Execute(const std::string& folder) override {
        Presets.push_back(folder);
        return Answer;
    }

    std::optional<std::string> Answer;
    std::vector<std::string> Presets;
};
