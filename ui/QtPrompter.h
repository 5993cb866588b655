// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompter.h"

class QWidget;

// The program's questions and notices as Qt message boxes and the oversized-folder dialog, over
// the given parent window, worded by the question texts.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent) : Parent(parent) {}

    Answer Ask(const Question& question) override;

private:
    QWidget* Parent;
};

// The caption of every message box: the application's title.
inline constexpr const char* ApplicationTitle = "Vantrel";
