// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/UrlOpener.h"

// Records every link handed to the desktop and opens none; answers as a desktop with (Opens) or
// without a program for it.
class RecordingUrlOpener : public UrlOpener {
public:
    bool OpenUrl(const std::string& url) override {
        Opened.push_back(url);
        return Opens;
    }

    std::vector<std::string> Opened;
    bool Opens = true;
};
