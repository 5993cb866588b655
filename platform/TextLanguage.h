// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The language of the texts the program shows and writes: Russian is the source of every text
// and the default; English is the translation.
enum class TextLanguage : std::uint8_t { Russian, English };
