// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/HelpBook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "VantrelBuildInfo.h"
#include "dialogs/HelpWindow.h"
#include "platform/Prompter.h"

QString HelpBook::InstalledFolder(TextLanguage language) {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                           QString::fromUtf8(BuildInfo::HelpFolderFromProgram) +
                           (language == TextLanguage::English ? QStringLiteral("/en") : QString()));
}

HelpBook::HelpBook(const QString& folder, Prompter& prompter) : Folder(folder), Asker(prompter) {}

HelpBook::~HelpBook() = default;

QString HelpBook::PagePath(const QString& topic) const {
    return QDir::cleanPath(Folder + QLatin1Char('/') + topic);
}

bool HelpBook::ShowTopic(const QString& topic, IfMissing ifMissing) {
    const QString path = PagePath(topic);
    if (!QFileInfo(path).isFile()) {
        if (ifMissing == IfMissing::Tell) {
            Asker.Ask(Question(QuestionKind::HelpPageMissing,
                               QDir::toNativeSeparators(path).toStdString()));
        }
        return false;
    }
    if (!Viewer) {
        Viewer = std::make_unique<HelpWindow>(
            QUrl::fromLocalFile(PagePath(QString::fromUtf8(HelpTopic::Contents))));
    }
    Viewer->ShowPage(QUrl::fromLocalFile(path));
    return true;
}
