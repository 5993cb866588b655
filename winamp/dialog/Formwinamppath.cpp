// SPDX-License-Identifier: GPL-3.0-or-later
#include "winamp/dialog/Formwinamppath.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/QtText.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"
#include "winamp/Winamp.h"

namespace {

constexpr const char* NeedsText =
    QT_TRANSLATE_NOOP("TdlgWinampPath", "Для работы программе необходим");
constexpr const char* VersionsText = QT_TRANSLATE_NOOP("TdlgWinampPath", "Winamp 1.666 - 2.хх");
constexpr const char* NotInstalledText = QT_TRANSLATE_NOOP(
    "TdlgWinampPath",
    "В Вашей системе Winamp не установлен, не корректно удалён или установлен не правильно (без "
    "запуска программы инсталяции).");
constexpr const char* ShowFolderText = QT_TRANSLATE_NOOP(
    "TdlgWinampPath", "Если Winamp присутствует на диске, укажите каталог, где находится файл ");
constexpr const char* ShowFolderTextEnd = " :";
constexpr const char* BrowseTitle =
    QT_TRANSLATE_NOOP("TdlgWinampPath", "Выберите каталог с файлом ");
constexpr const char* OkCaption = "&OK";
constexpr const char* CancelCaption = QT_TRANSLATE_NOOP("TdlgWinampPath", "О&тмена");

constexpr int IconSize = 32;
constexpr int TextWidth = 330;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A text of the dialog in the window's language.
std::string Tr(const char* text) {
    return QCoreApplication::translate("TdlgWinampPath", text).toStdString();
}

std::string ProgramFile() {
    return std::string(WinampProgramFile);
}

}  // namespace

TdlgWinampPath::TdlgWinampPath(QWidget* owner, Prompter& prompter,
                               BrowseForFolderFunction browseForFolder)
    : QDialog(owner), Questions(prompter), BrowseForFolder(std::move(browseForFolder)) {
    imgIconExclamation = new QLabel(this);
    imgIconExclamation->setFixedSize(IconSize, IconSize);
    Label2 = new QLabel(tr(NeedsText), this);
    Label3 = new QLabel(Text(WithPlayerName(Tr(VersionsText))), this);
    QFont bold = Label3->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.5);
    Label3->setFont(bold);
    Label1 = new QLabel(Text(WithPlayerName(Tr(NotInstalledText))), this);
    Label1->setWordWrap(true);
    Label1->setFixedWidth(TextWidth);
    Label4 = new QLabel(
        Text(WithPlayerName(Tr(ShowFolderText)) + ProgramFile() + ShowFolderTextEnd), this);
    Label4->setWordWrap(true);
    Label4->setFixedWidth(TextWidth);
    editWinampDir = new QLineEdit(this);
    editWinampDir->setAccessibleName(Label4->text());
    Label4->setBuddy(editWinampDir);
    btnWinampDir = new QToolButton(this);
    btnWinampDir->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    btnWinampDir->setAccessibleName(Text(Tr(BrowseTitle) + ProgramFile()));
    btnWinampDir->setToolTip(btnWinampDir->accessibleName());
    btnWinampDir->setFocusPolicy(Qt::StrongFocus);
    btnOK = new QPushButton(Text(OkCaption), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(tr(CancelCaption), this);

    auto* heading = new QVBoxLayout;
    heading->addWidget(Label2);
    heading->addWidget(Label3);
    auto* top = new QHBoxLayout;
    top->addWidget(imgIconExclamation, 0, Qt::AlignTop);
    top->addLayout(heading, 1);
    auto* folder = new QHBoxLayout;
    folder->addWidget(editWinampDir, 1);
    folder->addWidget(btnWinampDir);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* form = new QVBoxLayout(this);
    form->addLayout(top);
    form->addWidget(Label1);
    form->addWidget(Label4);
    form->addLayout(folder);
    form->addLayout(buttons);
    // A fixed dialog border: the dialog keeps the size its contents need.
    form->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(editWinampDir, btnWinampDir);
    setTabOrder(btnWinampDir, btnOK);
    setTabOrder(btnOK, btnCancel);
    connect(btnWinampDir, &QToolButton::clicked, this, &TdlgWinampPath::btnWinampDirClick);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

void TdlgWinampPath::FormCreate() {
    setWindowTitle(QGuiApplication::applicationDisplayName());
    imgIconExclamation->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(IconSize, IconSize));
}

void TdlgWinampPath::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        QApplication::beep();
}

void TdlgWinampPath::btnWinampDirClick() {
    std::string folder = editWinampDir->text().toStdString();
    if (BrowseForFolder && BrowseForFolder(this, folder, Tr(BrowseTitle) + ProgramFile()))
        editWinampDir->setText(Text(WithTrailingDelimiter(folder)));
}

bool TdlgWinampPath::FormCloseQuery() {
    // The text as typed: a folder without its final delimiter does not name the program.
    if (::FileExists(editWinampDir->text().toStdString() + ProgramFile()))
        return true;
    Questions.Ask(Question(QuestionKind::PlayerNotInFolder, {}, std::string(PlayerName)));
    return false;
}

void TdlgWinampPath::done(int result) {
    if (result == QDialog::Accepted && !FormCloseQuery())
        return;
    QDialog::done(result);
}

WinampPathDialogQt::WinampPathDialogQt(QWidget* owner, Prompter& prompter,
                                       BrowseForFolderFunction browseForFolder)
    : Owner(owner), Questions(prompter), BrowseForFolder(std::move(browseForFolder)) {}

std::optional<std::string> WinampPathDialogQt::Execute(const std::string& folder) {
    TdlgWinampPath dialog(Owner, Questions, BrowseForFolder);
    dialog.editWinampDir->setText(Text(folder));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.editWinampDir->text().toStdString();
}
