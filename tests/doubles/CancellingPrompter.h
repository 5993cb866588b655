// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/Prompter.h"

// Nobody answers: every question is cancelled (for benchmarks and fuzzing, where a question
// would be a fault of the run, not something to script).
class CancellingPrompter : public Prompter {
public:
    PromptButton MessageBox(const std::string&, PromptIcon, const std::vector<PromptButton>&,
                            PromptButton) override {
        return PromptButton::Cancel;
    }
    PromptButton MessageDialog(DialogKind, const std::string&, const std::vector<PromptButton>&,
                               PromptButton) override {
        return PromptButton::Cancel;
    }
    DirTooBigAnswer AskDirTooBig(const std::string&) override { return DirTooBigAnswer::Cancel; }
};
