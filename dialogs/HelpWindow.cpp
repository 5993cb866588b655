// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/HelpWindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "resources/VantrelIcons.h"

namespace {
const char* const Caption = QT_TRANSLATE_NOOP("HelpWindow", "Справка Orbek Vantrel");
const char* const CaptionSeparator = " — ";
const char* const BackCaption = QT_TRANSLATE_NOOP("HelpWindow", "&Назад");
const char* const ForwardCaption = QT_TRANSLATE_NOOP("HelpWindow", "&Вперёд");
const char* const ContentsCaption = QT_TRANSLATE_NOOP("HelpWindow", "&Содержание");
const char* const PageName = QT_TRANSLATE_NOOP("HelpWindow", "Страница справки");

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Tr(const char* text) {
    return QCoreApplication::translate("HelpWindow", text);
}
}  // namespace

HelpWindow::HelpWindow(const QUrl& contentsPage) : QWidget(nullptr, Qt::Window) {
    setWindowIcon(VantrelIcons::Application());
    // The help stays open beside the program but never keeps it running on its own.
    setAttribute(Qt::WA_QuitOnClose, false);

    btnBack = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), Tr(BackCaption), this);
    btnForward =
        new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), Tr(ForwardCaption), this);
    btnContents = new QPushButton(Tr(ContentsCaption), this);
    btnBack->setEnabled(false);
    btnForward->setEnabled(false);

    browser = new QTextBrowser(this);
    browser->setOpenExternalLinks(true);
    browser->setAccessibleName(Tr(PageName));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnBack);
    buttons->addWidget(btnForward);
    buttons->addWidget(btnContents);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser, 1);

    connect(btnBack, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(btnForward, &QPushButton::clicked, browser, &QTextBrowser::forward);
    connect(btnContents, &QPushButton::clicked, this,
            [this, contentsPage] { ShowPage(contentsPage); });
    connect(browser, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, btnForward, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateCaption);
    // The usual keys of a browser, besides the buttons' mnemonics.
    connect(new QShortcut(QKeySequence::Back, this), &QShortcut::activated, browser,
            &QTextBrowser::backward);
    connect(new QShortcut(QKeySequence::Forward, this), &QShortcut::activated, browser,
            &QTextBrowser::forward);

    setWindowTitle(Tr(Caption));
    resize(760, 600);
}

void HelpWindow::ShowPage(const QUrl& page) {
    browser->setSource(page);
    show();
    raise();
    activateWindow();
}

void HelpWindow::updateCaption() {
    const QString pageTitle = browser->documentTitle();
    setWindowTitle(pageTitle.isEmpty() ? Tr(Caption)
                                       : pageTitle + Text(CaptionSeparator) + Tr(Caption));
}
