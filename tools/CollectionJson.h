// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "tools/SymlinkFarm.h"

struct CollectionOptions;
class TDataManager;
class ToolPrompter;

// What one action of a run did, for the JSON report and the summary.
struct ActionReport {
    std::string Action;
    std::string Folder;
    std::vector<std::string> Written;  // files or medium folders
    std::size_t MediaDone = 0;
    std::vector<LinkedMedium> Linked;
    bool Complete = false;
};

// How a run ended, for the JSON report.
struct RunEnd {
    bool Interrupted = false;
    int Status = 0;
};

// The run as one JSON object: the request, the media with their items, the totals, the decisions,
// the actions and the exit status.
void WriteJson(std::ostream& out, const CollectionOptions& options, const TDataManager& manager,
               const ToolPrompter& prompter, const std::vector<ActionReport>& actions, RunEnd end);
