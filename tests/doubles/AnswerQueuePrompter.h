// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Prompter.h"

// A prompter for Qt tests: answers from a queue and records every question. A question with no
// answer queued is counted in Unanswered and answered Cancel, so nothing ever blocks.
class AnswerQueuePrompter : public Prompter {
public:
    struct Question {
        std::string Text;
        PromptIcon Icon = PromptIcon::Information;
        std::vector<PromptButton> Buttons;
        PromptButton Default = PromptButton::Ok;
    };

    void Answer(PromptButton answer) { Answers.push_back(answer); }

    PromptButton MessageBox(const std::string& text, PromptIcon icon,
                            const std::vector<PromptButton>& buttons,
                            PromptButton defaultButton) override {
        Asked.push_back({text, icon, buttons, defaultButton});
        return Next();
    }
    PromptButton MessageDialog(DialogKind, const std::string& text,
                               const std::vector<PromptButton>& buttons,
                               PromptButton defaultButton) override {
        Asked.push_back({text, PromptIcon::Question, buttons, defaultButton});
        return Next();
    }
    DirTooBigAnswer AskDirTooBig(const std::string& message) override {
        Asked.push_back({message, PromptIcon::Question, {}, PromptButton::Cancel});
        ++Unanswered;
        return DirTooBigAnswer::Cancel;
    }

    std::vector<Question> Asked;
    int Unanswered = 0;

private:
    PromptButton Next() {
        if (Answers.empty()) {
            ++Unanswered;
            return PromptButton::Cancel;
        }
        const PromptButton answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    std::deque<PromptButton> Answers;
};
