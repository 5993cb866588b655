// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Prompter.h"

// Answers questions from a script and records every question asked, its kind and values. A
// question with no scripted answer left fails the test and is answered Cancel, so a test can
// never block on a dialog.
class ScriptedPrompter : public Prompter {
public:
    void Reply(Answer answer) { Answers.push_back(answer); }

    Answer Ask(const Question& question) override {
        Asked.push_back(question);
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected question of kind " << static_cast<int>(question.Kind)
                          << ": " << question.Path;
            return Answer::Cancel;
        }
        const Answer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    // True when every scripted answer has been used.
    bool ScriptUsed() const { return Answers.empty(); }

    std::vector<Question> Asked;

private:
    std::deque<Answer> Answers;
};
