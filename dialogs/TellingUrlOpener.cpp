// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TellingUrlOpener.h"

#include <QCoreApplication>
#include <QString>
#include <QUrl>

#include "platform/Prompter.h"

namespace {

const char* const CannotOpenText = QT_TRANSLATE_NOOP(
    "TellingUrlOpener", "Не удалось открыть «%1»: нет программы, которая его открывает.");

}  // namespace

bool TellingUrlOpener::OpenUrl(const std::string& url) {
    if (Opener.OpenUrl(url))
        return true;
    // A folder is named by its path, as the user knows it.
    const QUrl link(QString::fromStdString(url), QUrl::TolerantMode);
    const QString shown = link.isLocalFile() ? link.toLocalFile() : QString::fromStdString(url);
    Questions.MessageBox(
        QCoreApplication::translate("TellingUrlOpener", CannotOpenText).arg(shown).toStdString(),
        PromptIcon::Exclamation, {PromptButton::Ok}, PromptButton::Ok);
    return false;
}
