// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/UrlOpener.h"

// Records every link handed to the desktop and opens none.
class RecordingUrlOpener : public UrlOpener {
public:
    bool OpenUrl(const std::string& url) override {
        Opened.push_back(url);
        return true;
    }

    std::vector<std::string> Opened;
};
