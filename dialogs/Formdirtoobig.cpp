// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/Formdirtoobig.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "dialogs/QtText.h"

namespace {

const char* const TitleSuffix = QT_TRANSLATE_NOOP("TdlgDirTooBig", " - Предупреждение");
const char* const ActionCaption = QT_TRANSLATE_NOOP("TdlgDirTooBig", " Выберите действие ");
const char* const ExpandCaption =
    QT_TRANSLATE_NOOP("TdlgDirTooBig", "вместо папки добавить в коллекцию её файлы и подпапки");
const char* const ExcludeCaption =
    QT_TRANSLATE_NOOP("TdlgDirTooBig", "исключить папку из рассмотрения");
const char* const SameAnswerCaption =
    QT_TRANSLATE_NOOP("TdlgDirTooBig", "использовать этот ответ во всех подобных случаях");
const char* const OkCaption = "&OK";
const char* const CancelCaption = QT_TRANSLATE_NOOP("TdlgDirTooBig", "О&тмена");

// The dialog's client area and icon at 96 pixels per inch.
constexpr int ClientWidth = 352;
constexpr int ClientHeight = 176;
constexpr int IconSize = 32;
constexpr int MessageWidth = 297;
constexpr int MessageHeight = 33;

}  // namespace

TdlgDirTooBig::TdlgDirTooBig(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QApplication::applicationName() + tr(TitleSuffix));
    const int dpi = logicalDpiX();
    const auto scaled = [dpi](int pixels) { return pixels * dpi / 96; };

    imgIcon = new QLabel(this);
    imgIcon->setPixmap(style()
                           ->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                           .pixmap(scaled(IconSize), scaled(IconSize)));
    imgIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMessage = new QLabel(this);
    lblMessage->setWordWrap(true);
    lblMessage->setMinimumSize(scaled(MessageWidth), scaled(MessageHeight));
    lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    radioGroupAction = new QGroupBox(tr(ActionCaption), this);
    radioExpand = new QRadioButton(tr(ExpandCaption), radioGroupAction);
    radioExpand->setChecked(true);
    radioExclude = new QRadioButton(tr(ExcludeCaption), radioGroupAction);
    auto* actions = new QVBoxLayout(radioGroupAction);
    actions->addWidget(radioExpand);
    actions->addWidget(radioExclude);
    chkSameAnswerToAll = new QCheckBox(tr(SameAnswerCaption), this);
    for (QAbstractButton* choice :
         {static_cast<QAbstractButton*>(radioExpand), static_cast<QAbstractButton*>(radioExclude),
          static_cast<QAbstractButton*>(chkSameAnswerToAll)})
        connect(choice, &QAbstractButton::toggled, this, [this] { radioGroupActionClick(); });

    btnOk = new QPushButton(Text(OkCaption), this);
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    btnCancel = new QPushButton(tr(CancelCaption), this);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(imgIcon, 0, Qt::AlignTop);
    top->addWidget(lblMessage, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(radioGroupAction);
    layout->addWidget(chkSameAnswerToAll);
    layout->addStretch();
    layout->addLayout(buttons);

    // The design's size, grown where this platform's fonts need more room.
    setFixedSize(QSize(scaled(ClientWidth), scaled(ClientHeight)).expandedTo(sizeHint()));
}

void TdlgDirTooBig::SetMessage(const QString& message) {
    lblMessage->setText(message);
    setFixedSize(size().expandedTo(sizeHint()));
}

Answer TdlgDirTooBig::Ask() {
    return exec() == QDialog::Accepted ? Chosen : Answer::Cancel;
}

void TdlgDirTooBig::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QApplication::beep();
}

void TdlgDirTooBig::radioGroupActionClick() {
    const bool forAll = chkSameAnswerToAll->isChecked();
    if (radioExpand->isChecked())
        Chosen = forAll ? Answer::ExpandForAll : Answer::Expand;
    else
        Chosen = forAll ? Answer::ExcludeForAll : Answer::Exclude;
}
