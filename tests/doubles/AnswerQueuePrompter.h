// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <vector>

#include "platform/Prompter.h"

// A prompter for Qt tests: answers from a queue and records every question. A question with no
// answer queued is counted in Unanswered and answered Cancel, so nothing ever blocks.
class AnswerQueuePrompter : public Prompter {
public:
    void Reply(Answer answer) { Answers.push_back(answer); }

    Answer Ask(const Question& question) override {
        Asked.push_back(question);
        if (Answers.empty()) {
            ++Unanswered;
            return Answer::Cancel;
        }
        const Answer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    std::vector<Question> Asked;
    int Unanswered = 0;

private:
    std::deque<Answer> Answers;
};
