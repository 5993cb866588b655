// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/FileChooser.h"

class QWidget;

// The real dialogs, modal over the owner window.
class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget* owner) : Owner(owner) {}

    std::vector<std::string> ChooseFiles(const std::string& title,
                                         const std::string& filter) override;
    bool ChooseFolder(std::string& folder, const std::string& title) override;

private:
    QWidget* Owner;
};
