// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompter.h"

class QWidget;

// The program's questions and notices as Qt message boxes, over the given parent window.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent) : Parent(parent) {}

    PromptButton MessageBox(const std::string& text, PromptIcon icon,
                            const std::vector<PromptButton>& buttons,
                            PromptButton defaultButton) override;
    PromptButton MessageDialog(DialogKind kind, const std::string& text,
                               const std::vector<PromptButton>& buttons,
                               PromptButton defaultButton) override;
    // The oversized-folder dialog with the message.
    DirTooBigAnswer AskDirTooBig(const std::string& message) override;

private:
    QWidget* Parent;
};

// The caption of every message box: the application's title.
inline constexpr const char* ApplicationTitle = "Vantrel";
