// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include "dialogs/Formabout.h"
#include "dialogs/HelpWindow.h"
#include "tests/doubles/RecordingUrlOpener.h"

namespace {

// Every control the keyboard can reach tells a screen reader its name.
void ExpectNamedFocusableControls(QWidget& window) {
    int focusable = 0;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!(control->focusPolicy() & Qt::TabFocus)) {
            continue;
        }
        ++focusable;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
            << control->metaObject()->className() << " " << control->objectName().toStdString();
    }
    EXPECT_GT(focusable, 0);
}

TEST(DialogsAccessibility, EveryFocusableControlHasAName) {
    RecordingUrlOpener opener;
    TfrmAbout about(AboutDetails::FromBuild(), opener);
    about.show();
    ExpectNamedFocusableControls(about);

    HelpWindow help(QUrl::fromLocalFile(QStringLiteral("/nonexistent/Property.html")));
    help.show();
    ExpectNamedFocusableControls(help);
}

}  // namespace
