// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The user's folders the settings need, as this platform names them.

// The user's configuration folder: $XDG_CONFIG_HOME, else ~/.config; on Windows %APPDATA%.
std::string UserConfigFolder();

// The program's own folder inside the configuration folder: "vantrel", on Windows "Vantrel".
std::string ProgramConfigFolderName();

// The default results folder: the CDRs folder in the user's home folder; on Windows C:\CDRs\.
std::string DefaultResultsBaseDir();

// Whether the folder lies in a place where programs are installed for the whole system (/usr and
// /opt; on Windows the Program Files folders): a program there never keeps its settings beside
// itself, whoever runs it.
bool IsSystemProgramFolder(const std::string& folder);
