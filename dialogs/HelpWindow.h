// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;
class QUrl;

// The program's help viewer: one window with the page and buttons to go back, forward and to the
// contents page. Links between pages stay inside it; web and mail links go to the desktop.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // contentsPage: the page the "contents" button opens.
    explicit HelpWindow(const QUrl& contentsPage);

    // Shows the page and brings the window to the front.
    void ShowPage(const QUrl& page);

    QTextBrowser* browser;
    QPushButton* btnBack;
    QPushButton* btnForward;
    QPushButton* btnContents;

private:
    void updateCaption();
};
