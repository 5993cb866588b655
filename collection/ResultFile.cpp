// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/ResultFile.h"

#include "platform/AtomicFile.h"
#include "platform/Prompter.h"

namespace {

constexpr const char* CannotCreateTextBefore = "Не могу создать файл\n";
constexpr const char* CannotCreateTextAfter = " !";

}  // namespace

bool WriteResultFile(Prompter& prompter, const std::string& path, const std::string& text) {
    std::string reason;
    return ReplaceFileAtomically(path, text, reason) || TellResultFileNotWritten(prompter, path);
}

bool TellResultFileNotWritten(Prompter& prompter, const std::string& path) {
    prompter.MessageBox(CannotCreateTextBefore + path + CannotCreateTextAfter, PromptIcon::Error,
                        {PromptButton::Ok}, PromptButton::Ok);
    return false;
}
