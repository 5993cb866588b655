// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Hands a web or mail link to the desktop's default handler (browser, mail program), so the
// program never opens one itself and tests can see the exact link without opening anything.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;

    // The link as UTF-8 text; true when a handler took it.
    virtual bool OpenUrl(const std::string& url) = 0;
};
