// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TellingUrlOpener.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/doubles/AnswerQueuePrompter.h"
#include "tests/doubles/RecordingUrlOpener.h"

namespace {

// A link or folder that no program opened went without a sign; one that opened must not ask.
TEST(TellingUrlOpener, TellsOnlyWhenNoProgramOpened) {
    struct Case {
        std::string Url;
        bool Opens;
        std::string Told;  // the address as the notice shows it; empty: nothing asked
    };
    const std::vector<Case> cases{
        {"https://example.org/", true, ""},
        {"https://example.org/", false, "https://example.org/"},
        {"file:///home/user/CDRs%20%D0%B0/", false, "/home/user/CDRs а/"}};
    for (const Case& tried : cases) {
        RecordingUrlOpener desktop;
        desktop.Opens = tried.Opens;
        AnswerQueuePrompter questions;
        questions.Reply(Answer::Ok);
        TellingUrlOpener opener(desktop, questions);

        EXPECT_EQ(opener.OpenUrl(tried.Url), tried.Opens);

        EXPECT_EQ(desktop.Opened, std::vector<std::string>{tried.Url});
        if (tried.Told.empty()) {
            EXPECT_TRUE(questions.Asked.empty());
            continue;
        }
        ASSERT_EQ(questions.Asked.size(), 1U);
        EXPECT_EQ(questions.Asked[0].Kind, QuestionKind::AddressNotOpened);
        EXPECT_EQ(questions.Asked[0].Path, tried.Told);
        EXPECT_EQ(questions.Asked[0].Answers, std::vector<Answer>{Answer::Ok});
    }
}

}  // namespace
