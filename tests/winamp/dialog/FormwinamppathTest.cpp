// SPDX-License-Identifier: GPL-3.0-or-later
#include "winamp/dialog/Formwinamppath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "tests/doubles/ScriptedPrompter.h"
#include "tests/doubles/TempFolder.h"
#include "winamp/Winamp.h"

namespace {

const std::string Program(WinampProgramFile);

class FormwinamppathTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "vantrel_winamp_dialog_tests";
        static char* argv[] = {name, nullptr};
        static QApplication application(argc, argv);
    }

    FormwinamppathTest() {
        Folder.Write("player/" + Program, "");
        PlayerFolder = Folder / "player/";
    }

    // A browse button that records what it was asked and picks the folder given.
    BrowseForFolderFunction Browse(std::optional<std::string> chosen) {
        return [this, chosen](QWidget*, std::string& folder, const std::string& title) {
            BrowseCalls.push_back(folder + " | " + title);
            if (chosen)
                folder = *chosen;
            return chosen.has_value();
        };
    }

    TempFolder Folder;
    std::string PlayerFolder;
    ScriptedPrompter Questions;
    std::vector<std::string> BrowseCalls;
};

TEST_F(FormwinamppathTest, OkClosesOnlyOnAFolderHoldingThePlayerTypedWithItsDelimiter) {
    struct Case {
        const char* name;
        std::string typed;
        bool pressOk;
        bool expectedClosed;
        bool expectedNotice;
    };
    const std::vector<Case> cases = {
        {"the player's folder", PlayerFolder, true, true, false},
        {"without the final delimiter", PlayerFolder.substr(0, PlayerFolder.size() - 1), true,
         false, true},
        {"a folder without the player", Folder.Root + "/", true, false, true},
        {"cancel is not checked", "/no/such/folder", false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompter questions;
        if (c.expectedNotice)
            questions.Reply(Answer::Ok);
        TdlgWinampPath dialog(nullptr, questions, Browse(std::nullopt));
        dialog.show();
        dialog.editWinampDir->setText(QString::fromStdString(c.typed));
        (c.pressOk ? dialog.btnOK : dialog.btnCancel)->click();

        EXPECT_EQ(dialog.isVisible(), !c.expectedClosed);
        if (c.expectedClosed) {
            EXPECT_EQ(dialog.result(), c.pressOk ? QDialog::Accepted : QDialog::Rejected);
        }
        ASSERT_EQ(questions.Asked.size(), c.expectedNotice ? 1U : 0U);
        if (c.expectedNotice) {
            EXPECT_EQ(questions.Asked[0].Kind, QuestionKind::PlayerNotInFolder);
            EXPECT_EQ(questions.Asked[0].Other, std::string(PlayerName));
        }
    }
}

TEST_F(FormwinamppathTest, BrowsingPutsTheChosenFolderWithItsDelimiter) {
    TdlgWinampPath dialog(nullptr, Questions,
                          Browse(PlayerFolder.substr(0, PlayerFolder.size() - 1)));
    dialog.editWinampDir->setText(QStringLiteral("/start"));
    dialog.btnWinampDir->click();
    EXPECT_EQ(dialog.editWinampDir->text().toStdString(), PlayerFolder);
    EXPECT_EQ(BrowseCalls,
              std::vector<std::string>{"/start | Выберите каталог с файлом " + Program});

    TdlgWinampPath cancelled(nullptr, Questions, Browse(std::nullopt));
    cancelled.editWinampDir->setText(QStringLiteral("/start"));
    cancelled.btnWinampDir->click();
    EXPECT_EQ(cancelled.editWinampDir->text(), QStringLiteral("/start"));
}

TEST_F(FormwinamppathTest, ThePlayerLogicGetsTheConfirmedFolderOrNothing) {
    struct Case {
        const char* name;
        bool pressOk;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"OK", true, PlayerFolder},
        {"cancel", false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WinampPathDialogQt asker(nullptr, Questions, Browse(std::nullopt));
        std::string preset;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TdlgWinampPath*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            preset = dialog->editWinampDir->text().toStdString();
            (c.pressOk ? dialog->btnOK : dialog->btnCancel)->click();
        });
        EXPECT_EQ(asker.Execute(PlayerFolder), c.expected);
        EXPECT_EQ(preset, PlayerFolder);
    }
}

}  // namespace
