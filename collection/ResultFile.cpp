// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/ResultFile.h"

#include "platform/AtomicFile.h"
#include "platform/Prompter.h"

bool WriteResultFile(Prompter& prompter, const std::string& path, const std::string& text) {
    std::string reason;
    if (ReplaceFileAtomically(path, text, reason))
        return true;
    prompter.Ask(Question(QuestionKind::FileNotWritten, path));
    return false;
}
