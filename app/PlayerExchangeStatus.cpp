// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlayerExchangeStatus.h"

#include <algorithm>
#include <limits>
#include <utility>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "dialogs/QtText.h"

namespace {

const char* const CancelCaption = QT_TRANSLATE_NOOP("PlayerExchangeStatus", "Отмена");

// Events run at least this often (milliseconds) while answers arrive.
constexpr int EventInterval = 50;

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::Drop:
            return true;
        default:
            return false;
    }
}

bool PressesButton(int key) {
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

PlayerExchangeStatus::PlayerExchangeStatus(QStatusBar* statusBar, QLabel* panel, QProgressBar* bar,
                                           Wording wording)
    : StatusBar(statusBar), Panel(panel), Bar(bar), Words(std::move(wording)) {}

PlayerExchangeStatus::~PlayerExchangeStatus() {
    if (Cancel == nullptr)
        return;
    qApp->removeEventFilter(this);
    delete Cancel;
    // The bar is the division's indeterminate indicator again.
    Bar->hide();
    Bar->setTextVisible(false);
    Bar->setMaximumWidth(QWIDGETSIZE_MAX);
    Bar->setRange(0, 0);
    if (FocusBefore != nullptr)
        FocusBefore->setFocus();
    QApplication::restoreOverrideCursor();
}

void PlayerExchangeStatus::Received(std::size_t entries, std::size_t total) {
    if (Cancel == nullptr)
        Show();
    // The bar counts in its int range.
    const std::size_t most = std::numeric_limits<int>::max();
    Bar->setRange(0, static_cast<int>(std::min(total, most)));
    Bar->setValue(static_cast<int>(std::min(entries, most)));
    Panel->setText(Words(entries, total));
    if (SinceEvents.hasExpired(EventInterval))
        LetEventsRun();
}

void PlayerExchangeStatus::Show() {
    FocusBefore = QApplication::focusWidget();
    Cancel = new QPushButton(QCoreApplication::translate("PlayerExchangeStatus", CancelCaption),
                             StatusBar);
    Cancel->setObjectName(QStringLiteral("cancelPlayerExchange"));
    Cancel->setAccessibleName(QCoreApplication::translate("PlayerExchangeStatus", CancelCaption));
    connect(Cancel, &QPushButton::clicked, this, [this] { Cancelled = true; });
    StatusBar->addPermanentWidget(Cancel);
    // The count stays in sight on the bar where the window is too narrow for the words.
    Bar->setFormat(QStringLiteral("%v / %m"));
    Bar->setTextVisible(true);
    // No wider than its count, so that the words get the rest of the bar.
    Bar->setMaximumWidth(Bar->fontMetrics().horizontalAdvance(QStringLiteral("0000000 / 0000000")));
    Bar->setToolTip(QString());
    Bar->show();
    Cancel->setFocus();
    // The pointer shows that the window works and still takes a click.
    QApplication::setOverrideCursor(Qt::BusyCursor);
    qApp->installEventFilter(this);
    LetEventsRun();
}

void PlayerExchangeStatus::LetEventsRun() {
    QCoreApplication::processEvents();
    SinceEvents.start();
}

bool PlayerExchangeStatus::eventFilter(QObject* watched, QEvent* event) {
    QWidget* window = StatusBar->window();
    if (watched == window && event->type() == QEvent::Close) {
        Cancelled = true;
        event->ignore();
        return true;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != window || !IsUserInput(event->type()))
        return false;
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape)
            Cancelled = true;
        // Taking the override keeps every shortcut of the window from firing: the key comes
        // as a key press instead, which only the Cancel button gets.
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        return !(widget == Cancel && PressesButton(key));
    }
    if (event->type() == QEvent::KeyRelease)
        return !(widget == Cancel && PressesButton(static_cast<QKeyEvent*>(event)->key()));
    return widget != Cancel;
}
