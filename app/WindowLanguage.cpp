// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include "VantrelBuildInfo.h"

namespace {

// The translators installed last, owned by the application (they go with it).
struct Translations {
    TextLanguage Language = TextLanguage::Russian;
    QPointer<QTranslator> ProgramTexts;
    QPointer<QTranslator> QtTexts;
};

Translations& Installed() {
    static Translations installed;
    return installed;
}

// A translator of the file, installed; null when the file is not there.
QTranslator* Install(const QLocale& locale, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(locale, name, QStringLiteral("_"), folder)) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

}  // namespace

void UseLanguage(TextLanguage language) {
    Translations& installed = Installed();
    // Deleting a translator removes it from the application.
    delete installed.ProgramTexts;
    delete installed.QtTexts;
    installed.Language = language;
    const QString folder =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                        QString::fromUtf8(BuildInfo::TranslationsFolderFromProgram));
    if (language == TextLanguage::English) {
        installed.ProgramTexts =
            Install(QLocale(QLocale::English), QStringLiteral("vantrel"), folder);
    } else {
        // Qt's own dialogs in Russian: from the program's folder where it brings them (Windows),
        // else from the system's Qt.
        const QLocale russian(QLocale::Russian);
        installed.QtTexts = Install(russian, QStringLiteral("qtbase"), folder);
        if (!installed.QtTexts)
            installed.QtTexts = Install(russian, QStringLiteral("qtbase"),
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
}

TextLanguage UsedLanguage() {
    return Installed().Language;
}
