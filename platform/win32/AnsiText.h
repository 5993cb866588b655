// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextFileEncoding.h"

// EncodeTextFile for a given code page, which on Windows is the ANSI one (GetACP).
TextFileBytes EncodeTextFileIn(const std::string& utf8, unsigned codePage);
