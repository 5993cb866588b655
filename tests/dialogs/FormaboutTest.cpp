// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/Formabout.h"

#include <functional>
#include <string>

#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "dialogs/LinkEdit.h"
#include "tests/doubles/RecordingUrlOpener.h"

namespace {

AboutDetails Contacts() {
    return {QStringLiteral("3.0.0.8"),
            QStringLiteral("https://example.net/vantrel/"),
            {QStringLiteral("Ivan Petrov Jr"), QStringLiteral("ivan@example.net")},
            {QString::fromUtf8("Мария Ивановна"), QStringLiteral("maria@example.net")}};
}

TEST(Formabout, ShowsTheVersionTheProgramWasBuiltWith) {
    RecordingUrlOpener opener;
    TfrmAbout about(AboutDetails::FromBuild(), opener);
    EXPECT_EQ(about.lblVersion->text().toStdString(), "3.0.0.8");
    EXPECT_EQ(about.windowTitle().toStdString(), "О программе");
    EXPECT_TRUE(opener.Opened.empty());
}

// The box shipped placeholders for contacts and web page, and did not say the licence.
TEST(Formabout, ShipsTheProjectsOwnDetailsAndItsLicence) {
    const AboutDetails details = AboutDetails::FromBuild();
    EXPECT_EQ(details.ProgramAuthor.Name.toStdString(), "Orbek Vantrel");
    for (const QString& text : {details.WebPage, details.ProgramAuthor.Email,
                                details.HelpAuthor.Name, details.HelpAuthor.Email})
        EXPECT_FALSE(text.contains(QStringLiteral("example"))) << text.toStdString();
    RecordingUrlOpener opener;
    TfrmAbout about(details, opener);
    EXPECT_TRUE(about.lblLicense->text().contains(QStringLiteral("GPL-3.0-or-later")));
}

// An empty web page or address showed as an empty link that opened a broken mail or web link.
TEST(Formabout, HidesWhatIsLeftEmpty) {
    AboutDetails details = Contacts();
    details.WebPage.clear();
    details.HelpAuthor.Email.clear();
    RecordingUrlOpener opener;
    TfrmAbout about(details, opener);
    about.show();
    EXPECT_TRUE(about.lblWebSite->isHidden());
    EXPECT_TRUE(about.editWebSite->isHidden());
    EXPECT_TRUE(about.imgEMail2->isHidden());
    EXPECT_TRUE(about.editHelpAuthorEMail->isHidden());
    EXPECT_TRUE(about.imgEMail1->isVisible());
    EXPECT_TRUE(about.editProgramAuthorEMail->isVisible());
}

// Each link by mouse on its text, by keyboard, and by its mail picture.
TEST(Formabout, LinksReachTheDesktopExactly) {
    struct Case {
        const char* how;
        std::function<void(TfrmAbout&)> activate;
        std::string url;
    };
    const std::string programMail =
        "mailto:Ivan%20Petrov%20Jr<ivan@example.net>?subject=Orbek%20Vantrel%20v3.0.0.8";
    const std::string helpMail =
        "mailto:Мария%20Ивановна<maria@example.net>?subject=Справка%20к%20Orbek%20Vantrel%20v3.0.0."
        "8";
    const Case cases[] = {
        {"web page clicked", [](TfrmAbout& a) { QTest::mouseClick(a.editWebSite, Qt::LeftButton); },
         "https://example.net/vantrel/"},
        {"program author's address clicked",
         [](TfrmAbout& a) { QTest::mouseClick(a.editProgramAuthorEMail, Qt::LeftButton); },
         programMail},
        {"program author's address, Enter",
         [](TfrmAbout& a) { QTest::keyClick(a.editProgramAuthorEMail, Qt::Key_Return); },
         programMail},
        {"program author's mail picture",
         [](TfrmAbout& a) { QTest::mouseClick(a.imgEMail1, Qt::LeftButton); }, programMail},
        {"help author's address clicked",
         [](TfrmAbout& a) { QTest::mouseClick(a.editHelpAuthorEMail, Qt::LeftButton); }, helpMail},
        {"help author's mail picture",
         [](TfrmAbout& a) { QTest::mouseClick(a.imgEMail2, Qt::LeftButton); }, helpMail},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        RecordingUrlOpener opener;
        TfrmAbout about(Contacts(), opener);
        about.show();
        c.activate(about);
        ASSERT_EQ(opener.Opened.size(), 1u);
        EXPECT_EQ(opener.Opened[0], c.url);
    }
}

// Selecting part of an address with the mouse is not a click on the link.
TEST(Formabout, DraggingOverAnAddressOpensNothing) {
    RecordingUrlOpener opener;
    TfrmAbout about(Contacts(), opener);
    about.show();
    LinkEdit* edit = about.editProgramAuthorEMail;
    const int y = edit->height() / 2;
    QTest::mousePress(edit, Qt::LeftButton, {}, QPoint(2, y));
    QTest::mouseMove(edit, QPoint(edit->width() / 2, y));
    QTest::mouseRelease(edit, Qt::LeftButton, {}, QPoint(edit->width() / 2, y));
    EXPECT_TRUE(edit->hasSelectedText());
    EXPECT_TRUE(opener.Opened.empty());
}

}  // namespace
