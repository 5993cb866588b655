// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextFileEncoding.h"

TextFileBytes EncodeTextFile(const std::string& utf8) {
    return {utf8, false};
}

std::string TextFileDecoder::Line(std::string bytes) {
    return bytes;
}
