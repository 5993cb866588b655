// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/UserFolders.h"

#include <cstdlib>

std::string UserConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config";
}

std::string ProgramConfigFolderName() {
    return "vantrel";
}

std::string DefaultResultsBaseDir() {
    const char* home = std::getenv("HOME");
    std::string folder = home != nullptr ? home : "";
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder + "CDRs/";
}

bool IsSystemProgramFolder(const std::string& folder) {
    for (const std::string system : {"/usr", "/opt"}) {
        if (folder == system || folder.rfind(system + '/', 0) == 0)
            return true;
    }
    return false;
}
