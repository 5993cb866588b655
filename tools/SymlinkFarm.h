// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "items/Collectionitems.h"
#include "tools/ToolPrompter.h"

// What the links of one medium came to.
struct LinkedMedium {
    std::string Folder;
    std::size_t Links = 0;  // links in place, made now or found already pointing right
    bool Complete = false;  // every item of the medium has its link
};

// Makes a folder prefix + N per medium (N from 1) holding, per item, a symbolic link named as the
// item that points to the item's full path; nothing is copied. A link already there that points
// to the same path is taken as it is, so a second run changes nothing. Any other entry of the
// same name is replaced only when the answers say so, by a new link that takes its name in one
// rename; a folder in the way and a name two items of one medium share are failures. Every
// decision and failure goes through the prompter. Stops between two links once interrupted
// holds; the media done by then are returned.
std::vector<LinkedMedium> MakeSymlinkFarm(const std::vector<TMedium>& media,
                                          const std::string& prefix, ToolPrompter& prompter,
                                          ToolAnswers::Clash clashes,
                                          const std::function<bool()>& interrupted);
