// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Prompter.h"

// Answers questions from a script and records every question asked. A question with no scripted
// answer left fails the test and is answered Cancel (or the oversized-folder dialog's Cancel),
// so a test can never block on a dialog.
class ScriptedPrompter : public Prompter {
public:
    enum class Kind { MessageBox, ConfirmationDialog, WarningDialog, DirTooBig };

    struct Question {
        Kind QuestionKind;
        PromptIcon Icon = PromptIcon::Information;  // message boxes only
        std::string Text;
        std::vector<PromptButton> Buttons;
        PromptButton Default = PromptButton::Ok;
    };

    void Answer(PromptButton answer) { Answers.push_back(answer); }
    void AnswerDirTooBig(DirTooBigAnswer answer) { DirAnswers.push_back(answer); }

    PromptButton MessageBox(const std::string& text, PromptIcon icon,
                            const std::vector<PromptButton>& buttons,
                            PromptButton defaultButton) override {
        Asked.push_back({Kind::MessageBox, icon, text, buttons, defaultButton});
        return NextAnswer();
    }

    PromptButton MessageDialog(DialogKind kind, const std::string& text,
                               const std::vector<PromptButton>& buttons,
                               PromptButton defaultButton) override {
        const Kind asked =
            kind == DialogKind::Confirmation ? Kind::ConfirmationDialog : Kind::WarningDialog;
        Asked.push_back({asked, PromptIcon::Information, text, buttons, defaultButton});
        return NextAnswer();
    }

    DirTooBigAnswer AskDirTooBig(const std::string& message) override {
        Asked.push_back({Kind::DirTooBig, PromptIcon::Information, message, {}, PromptButton::Ok});
        if (DirAnswers.empty()) {
            ADD_FAILURE() << "unexpected oversized-folder question: " << message;
            return DirTooBigAnswer::Cancel;
        }
        const DirTooBigAnswer answer = DirAnswers.front();
        DirAnswers.pop_front();
        return answer;
    }

    // True when every scripted answer has been used.
    bool ScriptUsed() const { return Answers.empty() && DirAnswers.empty(); }

    std::vector<Question> Asked;

private:
    PromptButton NextAnswer() {
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << Asked.back().Text;
            return PromptButton::Cancel;
        }
        const PromptButton answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    std::deque<PromptButton> Answers;
    std::deque<DirTooBigAnswer> DirAnswers;
};
