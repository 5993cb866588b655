// SPDX-License-Identifier: GPL-3.0-or-later
// The user's folders on Windows: settings that cannot live beside the program (Program Files is
// not writable) go to the roaming application data; results go to C:\CDRs\.
#include "settings/UserFolders.h"

#include <windows.h>

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

bool IsSystemProgramFolder(const std::string& folder) {
    const std::wstring path = Widen(folder);
    for (const wchar_t* variable : {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432"}) {
        const wchar_t* value = ::_wgetenv(variable);
        std::wstring system = value != nullptr ? value : L"";
        while (!system.empty() && (system.back() == L'\\' || system.back() == L'/'))
            system.pop_back();
        const auto length = static_cast<int>(system.size());
        // Inside it or the folder itself, letter case aside.
        if (!system.empty() && path.size() >= system.size() &&
            ::CompareStringOrdinal(path.c_str(), length, system.c_str(), length, TRUE) ==
                CSTR_EQUAL &&
            (path.size() == system.size() || path[system.size()] == L'\\' ||
             path[system.size()] == L'/'))
            return true;
    }
    return false;
}
