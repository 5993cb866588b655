// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowLanguage.h"

#include <memory>

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "VantrelBuildInfo.h"

namespace {

struct Translations {
    TextLanguage Language = TextLanguage::Russian;
    std::unique_ptr<QTranslator> Program;
    std::unique_ptr<QTranslator> Qt;
};

Translations& Installed() {
    static Translations installed;
    return installed;
}

// A translator of the file, installed; null when the file is not there.
std::unique_ptr<QTranslator> Install(const QLocale& locale, const QString& name,
                                     const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, QStringLiteral("_"), folder))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

}  // namespace

void UseLanguage(TextLanguage language) {
    Translations& installed = Installed();
    // Deleting a translator removes it from the application.
    installed.Program.reset();
    installed.Qt.reset();
    installed.Language = language;
    if (language == TextLanguage::English) {
        const QString folder =
            QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                            QString::fromUtf8(BuildInfo::TranslationsFolderFromProgram));
        installed.Program = Install(QLocale(QLocale::English), QStringLiteral("vantrel"), folder);
    } else {
        installed.Qt = Install(QLocale(QLocale::Russian), QStringLiteral("qtbase"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
}

TextLanguage UsedLanguage() {
    return Installed().Language;
}
