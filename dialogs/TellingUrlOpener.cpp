// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TellingUrlOpener.h"

#include <QString>
#include <QUrl>

#include "platform/Prompter.h"

bool TellingUrlOpener::OpenUrl(const std::string& url) {
    if (Opener.OpenUrl(url))
        return true;
    // A folder is named by its path, as the user knows it.
    const QUrl link(QString::fromStdString(url), QUrl::TolerantMode);
    const QString shown = link.isLocalFile() ? link.toLocalFile() : QString::fromStdString(url);
    Questions.Ask(Question(QuestionKind::AddressNotOpened, shown.toStdString()));
    return false;
}
