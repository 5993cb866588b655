// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "platform/Prompter.h"

// How the window shows a question: a message box captioned with the application's title and an
// icon, a confirmation or warning dialog captioned with its kind, or the oversized-folder dialog.
enum class QuestionLook {
    WarningBox,
    ErrorBox,
    QuestionBox,
    InformationBox,
    ConfirmationDialog,
    WarningDialog,
    OversizedFolderDialog
};

QuestionLook LookOf(QuestionKind kind);

// The words of a question with its values, as the window shows it.
QString QuestionText(const Question& question);

// The words of an operation's failure reason.
QString FailureText(const Failure& failure);
