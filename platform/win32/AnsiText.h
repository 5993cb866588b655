// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextFileEncoding.h"

// EncodeTextFile for a given code page, which on Windows is the ANSI one (GetACP).
TextFileBytes EncodeTextFileIn(const std::string& utf8, unsigned codePage);

// The UTF-8 text of a whole text file's bytes in the given code page, or of UTF-8 after a
// byte-order mark.
std::string DecodeTextFileIn(const std::string& bytes, unsigned codePage);
