// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/UrlOpener.h"

class Prompter;

// Opens links through another opener and tells the user, through the prompter, when no program
// took a link: a link or folder that cannot be opened never goes without a sign.
class TellingUrlOpener : public UrlOpener {
public:
    TellingUrlOpener(UrlOpener& opener, Prompter& questions)
        : Opener(opener), Questions(questions) {}

    bool OpenUrl(const std::string& url) override;

private:
    UrlOpener& Opener;
    Prompter& Questions;
};
