// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "platform/Prompter.h"
#include "platform/TreeWalker.h"

// What libisofs cannot take into an image. Handed such an entry inside a folder, it leaves the
// whole folder out without failing, or (a link to a path with a name over 255 bytes) corrupts its
// memory while writing Rock Ridge; so the sources are looked at before they are handed over.
enum class ImageLimit {
    LinkNameTooLong,  // a link's target has a name of more than 255 bytes
    LinkTooLong,      // a link's target has 1 024 bytes or more
    PathTooLong,      // the entry's path has 4 096 bytes or more
};

struct ImageLimitHit {
    ImageLimit Limit;
    std::string Path;  // the entry beyond the limit
};

// The first entry of the tree at path (the path itself, and what its tree holds under the rule
// when it is a folder; links are not followed) that libisofs cannot take; nothing when it takes
// them all. Folders that cannot be listed are passed over: adding them fails on its own.
std::optional<ImageLimitHit> FirstEntryBeyondImageLimits(const std::string& path, TreeRule rule);

// Whether libisofs's messages tell of its known fault: the Rock Ridge records of many long names
// or link targets in one folder laid out wrongly ("tree end address mismatch").
bool IsKnownLayoutFault(const std::string& messages);

// Why a source beyond a limit cannot go into an image, naming the entry.
Failure ImageLimitFailure(const ImageLimitHit& hit);
