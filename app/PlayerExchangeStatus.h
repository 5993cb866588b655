// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "winamp/PlayerExchangeProgress.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

// The progress of an exchange with the player in the window's status bar: the window's words for
// each report in a panel, a bar of the entries received and a Cancel button, which Esc presses
// too (its object name is "cancelPlayerExchange"). From the first report until the object goes the
// rest of the window takes no input but keeps painting, as the reports let the user-interface
// events run; closing the window then stops the exchange instead.
class PlayerExchangeStatus : public QObject, public PlayerExchangeProgress {
public:
    using Wording = std::function<QString(std::size_t entries, std::size_t total)>;

    PlayerExchangeStatus(QStatusBar* statusBar, QLabel* panel, QProgressBar* bar, Wording wording);
    ~PlayerExchangeStatus() override;
    PlayerExchangeStatus(const PlayerExchangeStatus&) = delete;
    PlayerExchangeStatus& operator=(const PlayerExchangeStatus&) = delete;

    void Received(std::size_t entries, std::size_t total) override;
    bool CancelRequested() override { return Cancelled; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show();
    void LetEventsRun();

    QStatusBar* StatusBar;
    QLabel* Panel;
    QProgressBar* Bar;
    Wording Words;
    QPushButton* Cancel = nullptr;
    QPointer<QWidget> FocusBefore;
    bool Cancelled = false;
    QElapsedTimer SinceEvents;
};
