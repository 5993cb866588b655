// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompter.h"

// Nobody answers: every question is cancelled (for benchmarks and fuzzing, where a question
// would be a fault of the run, not something to script).
class CancellingPrompter : public Prompter {
public:
    Answer Ask(const Question&) override { return Answer::Cancel; }
};
