// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "platform/Prompter.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The question about a folder that does not fit on the chosen medium: put its files and
// subfolders into the collection instead, or leave it out, once or for every such folder of the
// current check. A new dialog is made for each question.
class TdlgDirTooBig : public QDialog {
    Q_OBJECT

public:
    explicit TdlgDirTooBig(QWidget* parent = nullptr);

    void SetMessage(const QString& message);
    // What "&OK" gives for the choices made so far.
    Answer OkAnswer() const { return Chosen; }
    // Shows the dialog modally; Cancel for "О&тмена", Escape or the close box.
    Answer Ask();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void radioGroupActionClick();

    Answer Chosen = Answer::Expand;

    QLabel* imgIcon = nullptr;
    QLabel* lblMessage = nullptr;
    QGroupBox* radioGroupAction = nullptr;
    QRadioButton* radioExpand = nullptr;
    QRadioButton* radioExclude = nullptr;
    QCheckBox* chkSameAnswerToAll = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
};
