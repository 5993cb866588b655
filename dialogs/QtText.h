// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's texts are UTF-8 literals; Qt is built without implicit conversions from them.
inline QString Text(const char* text) {
    return QString::fromUtf8(text);
}
