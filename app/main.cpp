// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QStringList>

#ifdef _WIN32
#include <windows.h>
#endif

#include "VantrelBuildInfo.h"
#include "app/ApplicationSetup.h"
#include "app/Formvantrelmain.h"
#include "platform/FileSystem.h"
#include "settings/Tsettings.h"

namespace {

const char* const Usage =
    "Usage: vantrel [PATH...]\n"
    "       vantrel --help | --version\n"
    "\n"
    "Opens the Orbek Vantrel window, which divides a collection of files or music tracks onto\n"
    "storage media as fully as possible. Each PATH is added at start as dropping it on the\n"
    "window would: a file or folder of a files collection, a playlist of a music collection.\n"
    "\n"
    "  -h, --help     this text\n"
    "  --version      the version and the licence\n"
    "\n"
    "The division from the command line: vantrel-divide --help. More: man vantrel.\n";

const char* const Licence =
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

// A Windows program of the window kind has no console of its own: the answer goes to the console
// it was started from, if any.
void WriteToStartingConsole() {
#ifdef _WIN32
    if (AttachConsole(ATTACH_PARENT_PROCESS))
        static_cast<void>(std::freopen("CONOUT$", "w", stdout));
#endif
}

// --help and --version are answered on the terminal before anything needs a display; the exit
// status when one of them was asked.
std::optional<int> AnswerOnTerminal(int argc, char** argv) {
    if (argc < 2)
        return std::nullopt;
    const char* const option = argv[1];
    if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0 ||
        std::strcmp(option, "--version") == 0)
        WriteToStartingConsole();
    if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0) {
        std::cout << Usage;
        return 0;
    }
    if (std::strcmp(option, "--version") == 0) {
        std::cout << "vantrel (Orbek Vantrel) " << BuildInfo::Version << '\n' << Licence;
        return 0;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status = AnswerOnTerminal(argc, argv))
        return *status;
    QApplication application(argc, argv);
    SetUpApplication();
    TfrmVantrelMain window(SettingsFileFor(QCoreApplication::applicationFilePath().toStdString(),
                                           UserConfigFolder(), EffectiveUser()));
    window.show();

    // Paths on the command line (and from the desktop entry) are added as a drop would add them.
    std::vector<std::string> paths;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        paths.push_back(QDir::toNativeSeparators(arguments[i]).toStdString());
    window.AddDroppedPaths(paths);
    return QApplication::exec();
}
