// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileOperation.h"
#include "platform/TreeWalker.h"

// A medium folder's checksum list as `sha256sum -c` reads it, run from beside the folder: one
// line per file of the folder's tree under the rule (links and what an unfinished copy left
// behind are no files of the medium), names relative to the folder, in name order. The sums
// recorded while copying are taken as they are; a file the copy did not write (one kept on a
// clash, one already there) is read now, so the list describes the whole folder after a rerun
// too. Nothing when a file cannot be read: a list that leaves a file out is no list of the
// folder. An empty text when the folder holds no file.
std::optional<std::string> ChecksumListText(const std::string& folder, TreeRule rule,
                                            const std::vector<FileChecksum>& recorded);
