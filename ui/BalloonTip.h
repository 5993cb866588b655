// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QLabel;
class QTimer;

// A small frameless note with a warning icon, a bold title and a text, shown under a control to
// say why its input was refused. It goes when clicked, when its time is up, or when it is shown
// under another control.
class BalloonTip : public QFrame {
    Q_OBJECT

public:
    explicit BalloonTip(QWidget* parent);

    // Shows the note under control with a beep; it stays for the given milliseconds.
    void ShowUnder(QWidget* control, const QString& title, const QString& text,
                   int milliseconds = 10000);

    QString Title() const;
    QString Text() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* Icon;
    QLabel* TitleLabel;
    QLabel* TextLabel;
    QTimer* HideTimer;
};
