// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BalloonTip.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>
#include <QTimer>

namespace {
constexpr int IconSize = 32;
}  // namespace

BalloonTip::BalloonTip(QWidget* parent)
    : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint),
      Icon(new QLabel(this)),
      TitleLabel(new QLabel(this)),
      TextLabel(new QLabel(this)),
      HideTimer(new QTimer(this)) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setAutoFillBackground(true);
    Icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(IconSize));
    QFont bold = TitleLabel->font();
    bold.setBold(true);
    TitleLabel->setFont(bold);
    TextLabel->setTextFormat(Qt::PlainText);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(TitleLabel, 0, 1);
    layout->addWidget(TextLabel, 1, 1);
    HideTimer->setSingleShot(true);
    connect(HideTimer, &QTimer::timeout, this, &QWidget::hide);
}

void BalloonTip::ShowUnder(QWidget* control, const QString& title, const QString& text,
                           int milliseconds) {
    TitleLabel->setText(title);
    TextLabel->setText(text);
    adjustSize();
    // The note's corner points at the middle of the control's lower edge.
    move(control->mapToGlobal(QPoint(control->width() / 2, control->height())));
    show();
    QApplication::beep();
    HideTimer->start(milliseconds);
}

QString BalloonTip::Title() const {
    return TitleLabel->text();
}

QString BalloonTip::Text() const {
    return TextLabel->text();
}

void BalloonTip::mousePressEvent(QMouseEvent*) {
    hide();
}
