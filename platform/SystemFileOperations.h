// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The file-operation service of the platform the program is built for.
#ifdef _WIN32
#include "platform/win32/Win32FileOperations.h"
using SystemFileOperations = Win32FileOperations;
#else
#include "platform/PosixFileOperations.h"
using SystemFileOperations = PosixFileOperations;
#endif
