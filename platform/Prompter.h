// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The answers and buttons of the program's questions. Button order in a dialog is the order of
// the vector passed; message dialogs use the order Yes, No, Cancel, NoToAll, YesToAll.
enum class PromptButton { Ok, Yes, No, Cancel, NoToAll, YesToAll };

enum class PromptIcon { Exclamation, Error, Question, Warning, Information };

// The caption of a message dialog names its kind.
enum class DialogKind {
    Confirmation,  // "Подтверждение"
    Warning        // "Предупреждение"
};

// What the oversized-folder dialog returns.
enum class DirTooBigAnswer { Expand, Exclude, ExpandForAll, ExcludeForAll, Cancel };

// Every question and notice the program shows goes through this interface, so the window shows
// real dialogs and the tests answer from a script without blocking.
class Prompter {
public:
    virtual ~Prompter() = default;

    // A message box captioned with the application title. Closing it answers Cancel when Cancel
    // is offered, otherwise the last button (No for Yes/No, Ok for Ok).
    virtual PromptButton MessageBox(const std::string& text, PromptIcon icon,
                                    const std::vector<PromptButton>& buttons,
                                    PromptButton defaultButton) = 0;

    // A message dialog of the given kind; Escape and the close box answer Cancel.
    virtual PromptButton MessageDialog(DialogKind kind, const std::string& text,
                                       const std::vector<PromptButton>& buttons,
                                       PromptButton defaultButton) = 0;

    // The oversized-folder question with its message.
    virtual DirTooBigAnswer AskDirTooBig(const std::string& message) = 0;
};
