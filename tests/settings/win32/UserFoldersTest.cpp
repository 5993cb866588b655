// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/UserFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/FileSystem.h"
#include "platform/win32/WidePath.h"
#include "settings/Tsettings.h"
#include "tests/platform/win32/WideFolder.h"

namespace {

// Settings written into Program Files (or lost where it refuses them), or into a folder other
// than the user's application data, or results sent to a folder a Windows user does not expect:
// a program in a folder it may write keeps its settings beside it, any other in
// %APPDATA%\Vantrel\ (as one installed in Program Files, even where it may write there), and
// results go to C:\CDRs\ unless the user chose another folder.
TEST(Win32UserFolders, SettingsGoBesideTheProgramOrIntoApplicationData) {
    WideFolder folder;
    const std::string appData = folder.MakeFolder("Данные");
    ASSERT_EQ(::_wputenv_s(L"APPDATA", Widen(appData).c_str()), 0);
    EXPECT_EQ(UserConfigFolder(), appData);
    EXPECT_EQ(DefaultResultsBaseDir(), "C:\\CDRs\\");

    const std::string portable = folder.MakeFolder("Портативная");
    // Program Files as the installer sees it; wine lets anyone write there, Windows does not.
    const std::string programFiles = folder.MakeFolder("Program Files");
    const std::string installed = folder.MakeFolder("Program Files\\Orbek Vantrel");
    const std::string lookalike = folder.MakeFolder("Program Files Portable");
    ASSERT_EQ(::_wputenv_s(L"ProgramFiles", Widen(programFiles + "\\").c_str()), 0);
    const struct {
        const char* Case;
        std::string Executable;
        std::string Expected;
    } cases[] = {
        {"a folder it may write", portable + "\\vantrel.exe", portable + "\\vantrel.ini"},
        {"a folder it cannot write (missing)", folder / "absent\\vantrel.exe",
         appData + "\\Vantrel\\vantrel.ini"},
        {"installed in Program Files", installed + "\\vantrel.exe",
         appData + "\\Vantrel\\vantrel.ini"},
        {"installed, its letter case changed", folder / "PROGRAM FILES\\orbek vantrel\\vantrel.exe",
         appData + "\\Vantrel\\vantrel.ini"},
        {"a folder whose name only begins the same", lookalike + "\\vantrel.exe",
         lookalike + "\\vantrel.ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SettingsPathFor(c.Executable, UserConfigFolder(), EffectiveUser()), c.Expected)
            << c.Case;
}

}  // namespace
