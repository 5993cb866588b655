#pragma once

#include "Prompter.h"

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
    // Until the window has its own oversized-folder dialog this is a plain question: Yes expands
    // the folder, No excludes it, the answers for all do so for the rest, Cancel stops.
    DirTooBigAnswer AskDirTooBig(const std::string& message) override;

private:
    QWidget* Parent;
};

// The caption of every message box: the application's title.
inline constexpr const char* ApplicationTitle = "Vantrel";
