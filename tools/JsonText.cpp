// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/JsonText.h"

#include <cstdio>

namespace {

// The length of the well-formed UTF-8 sequence of two bytes or more at the start of text, 0 when
// there is none: no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

std::string Escaped(unsigned value) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", value);
    return escaped;
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            if (const std::size_t length = SequenceLength(text.substr(i)); length != 0) {
                json += text.substr(i, length);
                i += length;
            } else {
                // A byte that is not UTF-8 (a name in an old 8-bit code page): the lone
                // surrogate U+DC80 + (byte - 0x80), as Python's "surrogateescape" reads it.
                json += Escaped(0xDC00U + byte);
                ++i;
            }
            continue;
        }
        switch (c) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\r':
                json += "\\r";
                break;
            case '\t':
                json += "\\t";
                break;
            default:
                json += byte < 0x20 ? Escaped(byte) : std::string(1, c);
        }
        ++i;
    }
    return json + "\"";
}
