// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPrompter.h"

#include <map>

#include <QMessageBox>
#include <QPushButton>

#include "dialogs/Formdirtoobig.h"

namespace {

const char* const ConfirmationCaption = "Подтверждение";
const char* const WarningCaption = "Предупреждение";

QString ButtonText(PromptButton button) {
    switch (button) {
        case PromptButton::Ok:
            return QStringLiteral("OK");
        case PromptButton::Yes:
            return QString::fromUtf8("&Да");
        case PromptButton::No:
            return QString::fromUtf8("&Нет");
        case PromptButton::Cancel:
            return QString::fromUtf8("Отмена");
        case PromptButton::NoToAll:
            return QString::fromUtf8("Не&т для всех");
        case PromptButton::YesToAll:
            return QString::fromUtf8("Да для &всех");
    }
    return {};
}

QMessageBox::Icon BoxIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Exclamation:
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// Shows a modal box with the buttons in the order given; Escape and the close box answer
// escapeAnswer.
PromptButton Ask(QWidget* parent, const QString& caption, QMessageBox::Icon icon,
                 const std::string& text, const std::vector<PromptButton>& buttons,
                 PromptButton defaultButton, PromptButton escapeAnswer) {
    QMessageBox box(icon, caption, QString::fromStdString(text), QMessageBox::NoButton, parent);
    std::map<QAbstractButton*, PromptButton> answers;
    for (const PromptButton button : buttons) {
        // One role for all keeps the buttons in the order given.
        QPushButton* added = box.addButton(ButtonText(button), QMessageBox::ActionRole);
        answers[added] = button;
        if (button == defaultButton)
            box.setDefaultButton(added);
        if (button == escapeAnswer)
            box.setEscapeButton(added);
    }
    box.exec();
    const auto answered = answers.find(box.clickedButton());
    return answered == answers.end() ? escapeAnswer : answered->second;
}

}  // namespace

PromptButton QtPrompter::MessageBox(const std::string& text, PromptIcon icon,
                                    const std::vector<PromptButton>& buttons,
                                    PromptButton defaultButton) {
    PromptButton escape = buttons.empty() ? PromptButton::Ok : buttons.back();
    for (const PromptButton button : buttons)
        if (button == PromptButton::Cancel)
            escape = PromptButton::Cancel;
    return Ask(Parent, QString::fromUtf8(ApplicationTitle), BoxIcon(icon), text, buttons,
               defaultButton, escape);
}

PromptButton QtPrompter::MessageDialog(DialogKind kind, const std::string& text,
                                       const std::vector<PromptButton>& buttons,
                                       PromptButton defaultButton) {
    const bool confirmation = kind == DialogKind::Confirmation;
    return Ask(Parent, QString::fromUtf8(confirmation ? ConfirmationCaption : WarningCaption),
               confirmation ? QMessageBox::Question : QMessageBox::Warning, text, buttons,
               defaultButton, PromptButton::Cancel);
}

DirTooBigAnswer QtPrompter::AskDirTooBig(const std::string& message) {
    TdlgDirTooBig dialog(Parent);
    dialog.SetMessage(QString::fromStdString(message));
    return dialog.Ask();
}
