// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/LinkEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QSize>

LinkEdit::LinkEdit(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
    setReadOnly(true);
    setFrame(false);
    setCursorPosition(0);
    QPalette colours = palette();
    colours.setColor(QPalette::Text, colours.color(QPalette::Link));
    colours.setColor(QPalette::Base, Qt::transparent);
    setPalette(colours);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
}

QSize LinkEdit::sizeHint() const {
    // The edit's own text margins and cursor take a few pixels beside the text.
    const int padding = 2 * fontMetrics().averageCharWidth();
    return {fontMetrics().horizontalAdvance(text()) + padding, QLineEdit::sizeHint().height()};
}

QSize LinkEdit::minimumSizeHint() const {
    return sizeHint();
}

void LinkEdit::mousePressEvent(QMouseEvent* event) {
    Pressed = event->button() == Qt::LeftButton;
    QLineEdit::mousePressEvent(event);
}

void LinkEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    const bool click = Pressed && event->button() == Qt::LeftButton && !hasSelectedText() &&
                       rect().contains(event->position().toPoint());
    Pressed = false;
    if (click) {
        emit activated();
    }
}

void LinkEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit activated();
            event->accept();
            return;
        default:
            QLineEdit::keyPressEvent(event);
    }
}
