// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/ResultFile.h"

#include "platform/AtomicFile.h"
#include "platform/Prompter.h"

bool WriteResultFile(Prompter& prompter, const std::string& path, const std::string& text) {
    std::string reason;
    return ReplaceFileAtomically(path, text, reason) || TellResultFileNotWritten(prompter, path);
}

bool TellResultFileNotWritten(Prompter& prompter, const std::string& path) {
    prompter.Ask(Question(QuestionKind::FileNotWritten, path));
    return false;
}
