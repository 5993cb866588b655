// SPDX-License-Identifier: GPL-3.0-or-later
// The user's folders on Windows: settings that cannot live beside the program (Program Files is
// not writable) go to the roaming application data; results go to C:\CDRs\.
#include "settings/UserFolders.h"

#include <cstdlib>

#include "platform/win32/WidePath.h"

std::string UserConfigFolder() {
    const wchar_t* appData = ::_wgetenv(L"APPDATA");
    return appData != nullptr ? Narrow(appData) : std::string();
}

std::string ProgramConfigFolderName() {
    return "Vantrel";
}

std::string DefaultResultsBaseDir() {
    return "C:\\CDRs\\";
}
