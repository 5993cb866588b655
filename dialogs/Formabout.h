// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QToolButton;
class LinkEdit;
class UrlOpener;

// Whom the About box names and which version it shows.
struct AboutContact {
    QString Name;
    QString Email;
};

struct AboutDetails {
    QString Version;
    QString WebPage;
    AboutContact ProgramAuthor;
    AboutContact HelpAuthor;

    // The values this program was built with.
    static AboutDetails FromBuild();
};

// The modal "О программе" box: the program's name, icon, version and licence, its web page and
// mail links to the program's author and the help's author. Links go to the desktop through the
// opener; a web page, name or address left empty is not shown.
class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    TfrmAbout(const AboutDetails& details, UrlOpener& opener, QWidget* parent = nullptr);

    QLabel* imgLogo;
    QLabel* lblProgramName;
    QLabel* lblVer;
    QLabel* lblVersion;
    QLabel* lblWebSite;
    LinkEdit* editWebSite;
    QLabel* lblLicenseCaption;
    QLabel* lblLicense;
    QToolButton* imgEMail1;
    LinkEdit* editProgramAuthorEMail;
    QToolButton* imgEMail2;
    LinkEdit* editHelpAuthorEMail;
    QPushButton* btnOk;

private slots:
    void editWebSiteClick();
    void editProgramAuthorEMailClick();
    void editHelpAuthorEMailClick();

private:
    void openLink(const QString& url);

    AboutDetails Details;
    UrlOpener& Opener;
};
