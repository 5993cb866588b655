// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/UrlOpener.h"

// Opens links with the desktop's default handlers.
class DesktopUrlOpener : public UrlOpener {
public:
    bool OpenUrl(const std::string& url) override;
};
