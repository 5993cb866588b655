// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/HelpBook.h"

#include <string>

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

#include "dialogs/HelpWindow.h"
#include "tests/doubles/ScriptedPrompter.h"
#include "tests/doubles/TempFolder.h"

namespace {

const char* const Topics[] = {HelpTopic::Contents, HelpTopic::Collection, HelpTopic::Division,
                              HelpTopic::Results};

std::string PageOf(const char* topic) {
    return std::string("<html><head><title>") + topic + "</title></head><body>" + topic +
           "</body></html>";
}

QUrl UrlOf(const TempFolder& folder, const char* topic) {
    return QUrl::fromLocalFile(QString::fromStdString(folder / topic));
}

TEST(HelpBook, ShowsEachTopicsPageInItsWindow) {
    TempFolder folder;
    for (const char* topic : Topics) {
        folder.Write(topic, PageOf(topic));
    }
    ScriptedPrompter prompter;
    HelpBook help(QString::fromStdString(folder.Root), prompter);
    for (const char* topic : Topics) {
        SCOPED_TRACE(topic);
        ASSERT_TRUE(help.ShowTopic(QString::fromUtf8(topic), HelpBook::IfMissing::Tell));
        ASSERT_NE(help.Window(), nullptr);
        EXPECT_TRUE(help.Window()->isVisible());
        EXPECT_EQ(help.Window()->browser->source(), UrlOf(folder, topic));
        EXPECT_TRUE(help.Window()->windowTitle().startsWith(QString::fromUtf8(topic)));
    }
    EXPECT_TRUE(prompter.Asked.empty());
}

TEST(HelpBook, GoesBackForwardAndToTheContents) {
    TempFolder folder;
    for (const char* topic : Topics) {
        folder.Write(topic, PageOf(topic));
    }
    ScriptedPrompter prompter;
    HelpBook help(QString::fromStdString(folder.Root), prompter);
    help.ShowTopic(QString::fromUtf8(HelpTopic::Collection), HelpBook::IfMissing::Tell);
    help.ShowTopic(QString::fromUtf8(HelpTopic::Results), HelpBook::IfMissing::Tell);
    HelpWindow& window = *help.Window();
    EXPECT_FALSE(window.btnForward->isEnabled());

    window.btnBack->click();
    EXPECT_EQ(window.browser->source(), UrlOf(folder, HelpTopic::Collection));
    EXPECT_FALSE(window.btnBack->isEnabled());
    window.btnForward->click();
    EXPECT_EQ(window.browser->source(), UrlOf(folder, HelpTopic::Results));
    window.btnContents->click();
    EXPECT_EQ(window.browser->source(), UrlOf(folder, HelpTopic::Contents));
}

// A missing page is told with its full path when the user asked for the help, and passed over
// in silence for F1.
TEST(HelpBook, AMissingPageIsToldOnlyWhenAsked) {
    TempFolder parent;
    const std::string folder = parent / "нет справки";
    // In the platform's own form: a Windows user reads "\\" in paths.
    const std::string page =
        QDir::toNativeSeparators(QString::fromStdString(folder + "/Property.html")).toStdString();
    struct Case {
        HelpBook::IfMissing ifMissing;
        size_t questions;
    };
    for (const Case& c :
         {Case{HelpBook::IfMissing::Tell, 1}, Case{HelpBook::IfMissing::StayQuiet, 0}}) {
        ScriptedPrompter prompter;
        if (c.questions > 0) {
            prompter.Reply(Answer::Ok);
        }
        HelpBook help(QString::fromStdString(folder), prompter);
        EXPECT_FALSE(help.ShowTopic(QString::fromUtf8(HelpTopic::Contents), c.ifMissing));
        EXPECT_EQ(help.Window(), nullptr);
        ASSERT_EQ(prompter.Asked.size(), c.questions);
        if (c.questions > 0) {
            const Question& asked = prompter.Asked[0];
            EXPECT_EQ(asked.Kind, QuestionKind::HelpPageMissing);
            EXPECT_EQ(asked.Path, page);
            EXPECT_EQ(asked.Answers, std::vector<Answer>{Answer::Ok});
        }
    }
}

// The pages the program ships: every topic is there, and every local page or style sheet a page
// links to exists.
TEST(HelpBook, ShippedPagesAreWholeAndTheirLinksLeadSomewhere) {
    const QDir source(QStringLiteral(VANTREL_HELP_SOURCE_DIR));
    const QRegularExpression localLink(QStringLiteral(R"re(href="([^"#:]+)(?:#[^"]*)?")re"));
    for (const char* topic : Topics) {
        SCOPED_TRACE(topic);
        QFile page(source.filePath(QString::fromUtf8(topic)));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        for (const QRegularExpressionMatch& link : localLink.globalMatch(html)) {
            EXPECT_TRUE(QFileInfo::exists(source.filePath(link.captured(1))))
                << link.captured(1).toStdString();
        }
    }
}

}  // namespace
