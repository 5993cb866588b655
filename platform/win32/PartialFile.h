// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string>

// Creates a new hidden file under a temporary name beside target (made by PartialFilePattern, so
// that what a killed process leaves is recognised), opened for writing alone; its name goes to
// temp. INVALID_HANDLE_VALUE with the system's error when it cannot be made.
HANDLE CreatePartialFile(const std::wstring& target, std::wstring& temp);
