// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class QWidget;

// The folder chooser, modal over owner, showing folders only and starting at folder (an empty or
// missing folder starts wherever the chooser likes). On true, folder is the chosen folder, without
// a trailing delimiter except for the root; on false (cancelled) it is unchanged.
bool BrowseForFolder(QWidget* owner, std::string& folder, const std::string& title);
