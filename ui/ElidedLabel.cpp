// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ElidedLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

QSize ElidedLabel::minimumSizeHint() const {
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(QChar(0x2026)) + margins.left() + margins.right(),
            QLabel::minimumSizeHint().height()};
}

bool ElidedLabel::IsCut() const {
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect room = contentsRect();
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(room, static_cast<int>(alignment()) | Qt::TextSingleLine,
                     fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

bool ElidedLabel::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !toolTip().isEmpty())
        return QLabel::event(event);
    if (IsCut())
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    else
        QToolTip::hideText();
    return true;
}
