// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/DesktopUrlOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

bool DesktopUrlOpener::OpenUrl(const std::string& url) {
    // Tolerant parsing encodes what a mail link may carry unencoded: the angle brackets around
    // the address and Cyrillic letters in the subject.
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::TolerantMode));
}
