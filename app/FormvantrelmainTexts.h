// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include "winamp/Winamp.h"

// Texts the window shows on more than one page.
namespace PageText {

inline constexpr const char* NameColumn = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Имя");
inline constexpr const char* LengthColumn = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Длина");
inline constexpr const char* TotalPrefix = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Всего: ");
inline constexpr const char* TotalStart = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Всего: 0");

}  // namespace PageText

// A text of the window in its language, with "Winamp" replaced by this platform's player.
inline QString PlayerText(const char* text) {
    return QString::fromStdString(
        WithPlayerName(QCoreApplication::translate("TfrmVantrelMain", text).toStdString()));
}
