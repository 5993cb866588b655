// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The text as a JSON string literal, quotes included: quotes, backslashes and control characters
// escaped, every other byte as it is.
std::string JsonString(std::string_view text);
