// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The text as a JSON string literal, quotes included: quotes, backslashes and control characters
// escaped, well-formed UTF-8 as it is. A byte that is not part of well-formed UTF-8 becomes the
// escaped lone surrogate U+DC80 + (byte - 0x80) ("\udcff" for 0xFF), so that the output is JSON
// every parser reads and the bytes can be had back (Python: "surrogateescape").
std::string JsonString(std::string_view text);
