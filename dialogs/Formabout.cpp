// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/Formabout.h"

#include <QCoreApplication>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "VantrelBuildInfo.h"
#include "dialogs/LinkEdit.h"
#include "platform/UrlOpener.h"
#include "resources/VantrelIcons.h"

namespace {
const char* const Caption = QT_TRANSLATE_NOOP("TfrmAbout", "О программе");
const char* const ProgramName = "Orbek Vantrel";
const char* const VersionCaption = QT_TRANSLATE_NOOP("TfrmAbout", "Версия:");
const char* const WebSiteCaption = QT_TRANSLATE_NOOP("TfrmAbout", "Веб-сайт:");
const char* const LicenseCaption = QT_TRANSLATE_NOOP("TfrmAbout", "Лицензия:");
const char* const License =
    QT_TRANSLATE_NOOP("TfrmAbout", "GNU GPL версии 3 или более поздней (GPL-3.0-or-later)");
const char* const ProgramGroupCaption = QT_TRANSLATE_NOOP("TfrmAbout", "Программирование: ");
const char* const HelpGroupCaption = QT_TRANSLATE_NOOP("TfrmAbout", "Справка: ");
const char* const EmailCaption = "E-Mail:";
const char* const ProgramAuthorHint =
    QT_TRANSLATE_NOOP("TfrmAbout", "жду отзывы, предложения, багрепорты");
const char* const WriteToHint = QT_TRANSLATE_NOOP("TfrmAbout", "Написать письмо: ");
const char* const OkCaption = QT_TRANSLATE_NOOP("TfrmAbout", "&ОК");
const char* const ProgramSubject = "?subject=Orbek%20Vantrel%20v";
const char* const HelpSubject =
    QT_TRANSLATE_NOOP("TfrmAbout", "?subject=Справка%20к%20Orbek%20Vantrel%20v");
const QColor ProgramNameColour(0x80, 0x00, 0x00);
const int LogoSize = 48;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Tr(const char* text) {
    return QCoreApplication::translate("TfrmAbout", text);
}

// The mail program shows "name <address>" as the recipient; only the spaces of the name need
// escaping for it to survive as one link.
QString MailLink(const AboutContact& contact, const char* subjectPart, const QString& version) {
    QString name = contact.Name;
    name.replace(QLatin1Char(' '), QStringLiteral("%20"));
    return QStringLiteral("mailto:") + name + QLatin1Char('<') + contact.Email + QLatin1Char('>') +
           Tr(subjectPart) + version;
}

QLabel* BoldLabel(const QString& text, Qt::Alignment alignment, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

// One contact's group: the name, then the mail picture, "E-Mail:" and the address; an empty name
// or address is hidden, and so is a group with neither.
QGroupBox* ContactGroup(const char* caption, const AboutContact& contact, QToolButton*& picture,
                        LinkEdit*& address, QWidget* parent) {
    auto* group = new QGroupBox(Tr(caption), parent);
    auto* name = new QLabel(contact.Name, group);
    picture = new QToolButton(group);
    picture->setIcon(VantrelIcons::Mail());
    picture->setIconSize(QSize(24, 24));
    picture->setAutoRaise(true);
    picture->setCursor(Qt::PointingHandCursor);
    picture->setToolTip(Tr(WriteToHint) + contact.Name);
    picture->setAccessibleName(Tr(WriteToHint) + contact.Name);
    auto* emailLabel = new QLabel(Text(EmailCaption), group);
    address = new LinkEdit(contact.Email, group);
    address->setAccessibleName(Text(EmailCaption));
    emailLabel->setBuddy(address);

    auto* layout = new QGridLayout(group);
    layout->addWidget(name, 0, 0, 1, 3);
    layout->addWidget(picture, 1, 0);
    layout->addWidget(emailLabel, 1, 1);
    layout->addWidget(address, 1, 2);
    layout->setColumnStretch(2, 1);
    name->setHidden(contact.Name.isEmpty());
    picture->setHidden(contact.Email.isEmpty());
    emailLabel->setHidden(contact.Email.isEmpty());
    address->setHidden(contact.Email.isEmpty());
    group->setHidden(contact.Name.isEmpty() && contact.Email.isEmpty());
    return group;
}
}  // namespace

AboutDetails AboutDetails::FromBuild() {
    return {Text(BuildInfo::Version),
            Text(BuildInfo::WebPage),
            {Text(BuildInfo::ProgramAuthorName), Text(BuildInfo::ProgramAuthorEmail)},
            {Text(BuildInfo::HelpAuthorName), Text(BuildInfo::HelpAuthorEmail)}};
}

TfrmAbout::TfrmAbout(const AboutDetails& details, UrlOpener& opener, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Details(details),
      Opener(opener) {
    setWindowTitle(Tr(Caption));

    imgLogo = new QLabel(this);
    imgLogo->setPixmap(VantrelIcons::Application().pixmap(LogoSize, LogoSize));
    imgLogo->setAlignment(Qt::AlignCenter);

    lblProgramName = new QLabel(Text(ProgramName), this);
    QFont large = lblProgramName->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.8);
    lblProgramName->setFont(large);
    lblProgramName->setAlignment(Qt::AlignCenter);
    QPalette darkRed = lblProgramName->palette();
    darkRed.setColor(QPalette::WindowText, ProgramNameColour);
    lblProgramName->setPalette(darkRed);

    lblVer = BoldLabel(Tr(VersionCaption), Qt::AlignRight, this);
    lblVersion = BoldLabel(Details.Version, Qt::AlignLeft, this);
    lblVersion->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblWebSite = new QLabel(Tr(WebSiteCaption), this);
    lblWebSite->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editWebSite = new LinkEdit(Details.WebPage, this);
    editWebSite->setAccessibleName(Tr(WebSiteCaption));
    lblWebSite->setBuddy(editWebSite);
    lblWebSite->setHidden(Details.WebPage.isEmpty());
    editWebSite->setHidden(Details.WebPage.isEmpty());
    lblLicenseCaption = new QLabel(Tr(LicenseCaption), this);
    lblLicenseCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblLicense = new QLabel(Tr(License), this);
    lblLicense->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblLicense->setAccessibleName(lblLicense->text());
    lblLicense->setAccessibleDescription(lblLicenseCaption->text());

    auto* title = new QHBoxLayout;
    title->addWidget(imgLogo);
    title->addWidget(lblProgramName, 1);

    auto* facts = new QGridLayout;
    facts->addWidget(lblVer, 0, 0);
    facts->addWidget(lblVersion, 0, 1);
    facts->addWidget(lblWebSite, 1, 0);
    facts->addWidget(editWebSite, 1, 1);
    facts->addWidget(lblLicenseCaption, 2, 0);
    facts->addWidget(lblLicense, 2, 1);
    facts->setColumnStretch(1, 1);

    QGroupBox* programGroup = ContactGroup(ProgramGroupCaption, Details.ProgramAuthor, imgEMail1,
                                           editProgramAuthorEMail, this);
    editProgramAuthorEMail->setToolTip(Tr(ProgramAuthorHint));
    QGroupBox* helpGroup =
        ContactGroup(HelpGroupCaption, Details.HelpAuthor, imgEMail2, editHelpAuthorEMail, this);

    btnOk = new QPushButton(Tr(OkCaption), this);
    btnOk->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(title);
    layout->addLayout(facts);
    layout->addWidget(programGroup);
    layout->addWidget(helpGroup);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(editWebSite, &LinkEdit::activated, this, &TfrmAbout::editWebSiteClick);
    connect(editProgramAuthorEMail, &LinkEdit::activated, this,
            &TfrmAbout::editProgramAuthorEMailClick);
    connect(imgEMail1, &QToolButton::clicked, this, &TfrmAbout::editProgramAuthorEMailClick);
    connect(editHelpAuthorEMail, &LinkEdit::activated, this, &TfrmAbout::editHelpAuthorEMailClick);
    connect(imgEMail2, &QToolButton::clicked, this, &TfrmAbout::editHelpAuthorEMailClick);
    btnOk->setFocus();
}

void TfrmAbout::editWebSiteClick() {
    openLink(editWebSite->text());
}

// The subject ends with the version as the box shows it.
void TfrmAbout::editProgramAuthorEMailClick() {
    openLink(MailLink({Details.ProgramAuthor.Name, editProgramAuthorEMail->text()}, ProgramSubject,
                      lblVersion->text()));
}

void TfrmAbout::editHelpAuthorEMailClick() {
    openLink(MailLink({Details.HelpAuthor.Name, editHelpAuthorEMail->text()}, HelpSubject,
                      lblVersion->text()));
}

void TfrmAbout::openLink(const QString& url) {
    Opener.OpenUrl(url.toStdString());
}
