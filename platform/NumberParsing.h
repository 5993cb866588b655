// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Numbers in the texts the program reads (command lines, the settings file, playlists), read the
// same way in every locale. The whole text is the number: a blank, a second sign or any other
// character before or after it makes it no number. A value its type cannot hold is no number
// either, however many digits it has.

// Digits only, fitting 64 bits unsigned. With signAllowed one "+" may stand in front.
std::optional<std::uint64_t> ParseUnsigned64(std::string_view text, bool signAllowed = false);

// One optional "+" or "-", then digits, fitting 64 bits signed.
std::optional<std::int64_t> ParseSigned64(std::string_view text);

// What a decimal number may hold beyond digits with at most one decimal point (at least one
// digit, before or after the point).
struct DecimalSyntax {
    bool Sign = false;      // one "+" or "-" in front
    bool Comma = false;     // "," may stand for the point
    bool Exponent = false;  // "e" or "E", an optional sign and digits at the end
};

// A finite decimal number; infinities, NaNs, hexadecimal forms and values beyond double's range
// are no numbers.
std::optional<double> ParseDecimal(std::string_view text, DecimalSyntax syntax = {});
