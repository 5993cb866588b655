// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPrompter.h"

#include <map>

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "dialogs/Formdirtoobig.h"
#include "ui/QuestionTexts.h"

namespace {

const char* const ConfirmationCaption = QT_TRANSLATE_NOOP("QtPrompter", "Подтверждение");
const char* const WarningCaption = QT_TRANSLATE_NOOP("QtPrompter", "Предупреждение");

QString Tr(const char* text) {
    return QCoreApplication::translate("QtPrompter", text);
}

QString ButtonText(Answer button) {
    switch (button) {
        case Answer::Ok:
            return QStringLiteral("OK");
        case Answer::Yes:
            return Tr(QT_TRANSLATE_NOOP("QtPrompter", "&Да"));
        case Answer::No:
            return Tr(QT_TRANSLATE_NOOP("QtPrompter", "&Нет"));
        case Answer::Cancel:
            return Tr(QT_TRANSLATE_NOOP("QtPrompter", "Отмена"));
        case Answer::NoToAll:
            return Tr(QT_TRANSLATE_NOOP("QtPrompter", "Не&т для всех"));
        case Answer::YesToAll:
            return Tr(QT_TRANSLATE_NOOP("QtPrompter", "Да для &всех"));
        default:
            return {};
    }
}

QMessageBox::Icon BoxIcon(QuestionLook look) {
    switch (look) {
        case QuestionLook::WarningBox:
        case QuestionLook::WarningDialog:
            return QMessageBox::Warning;
        case QuestionLook::ErrorBox:
            return QMessageBox::Critical;
        case QuestionLook::QuestionBox:
        case QuestionLook::ConfirmationDialog:
            return QMessageBox::Question;
        case QuestionLook::InformationBox:
            return QMessageBox::Information;
        case QuestionLook::OversizedFolderDialog:
            break;
    }
    return QMessageBox::NoIcon;
}

QString Caption(QuestionLook look) {
    if (look == QuestionLook::ConfirmationDialog)
        return Tr(ConfirmationCaption);
    if (look == QuestionLook::WarningDialog)
        return Tr(WarningCaption);
    return QString::fromUtf8(ApplicationTitle);
}

// Escape and the close box answer Cancel when it is offered, otherwise the last answer.
Answer EscapeAnswer(const std::vector<Answer>& answers) {
    for (const Answer answer : answers)
        if (answer == Answer::Cancel)
            return Answer::Cancel;
    return answers.empty() ? Answer::Ok : answers.back();
}

}  // namespace

Answer QtPrompter::Ask(const Question& question) {
    const QuestionLook look = LookOf(question.Kind);
    if (look == QuestionLook::OversizedFolderDialog) {
        TdlgDirTooBig dialog(Parent);
        dialog.SetMessage(QuestionText(question));
        return dialog.Ask();
    }
    const Answer escape = EscapeAnswer(question.Answers);
    QMessageBox box(BoxIcon(look), Caption(look), QuestionText(question), QMessageBox::NoButton,
                    Parent);
    std::map<QAbstractButton*, Answer> answers;
    for (const Answer answer : question.Answers) {
        // One role for all keeps the buttons in the order given.
        QPushButton* added = box.addButton(ButtonText(answer), QMessageBox::ActionRole);
        answers[added] = answer;
        if (answer == question.Default)
            box.setDefaultButton(added);
        if (answer == escape)
            box.setEscapeButton(added);
    }
    box.exec();
    const auto answered = answers.find(box.clickedButton());
    return answered == answers.end() ? escape : answered->second;
}
