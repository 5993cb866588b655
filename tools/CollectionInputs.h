// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "collection/Tdatamanager.h"

struct CollectionInput;
struct CollectionOptions;
struct CollectionStreams;
class InMemoryListView;
class StatusLine;
class ToolPrompter;

// A path of the collection, full, with the add command of the window's that adds it.
struct PlannedInput {
    std::string Path;
    std::uint32_t Group = 0;
    AddMethod Method = AddFiles;
};

// The paths named on the command line with the list files read; nothing (after a message) when a
// list file cannot be read.
std::optional<std::vector<CollectionInput>> ExpandInputs(const CollectionOptions& options,
                                                         const CollectionStreams& streams);

// Each path checked and made full; nothing (after a message) when a path is missing, or is no
// playlist where one is wanted.
std::optional<std::vector<PlannedInput>> PlanInputs(const std::vector<CollectionInput>& paths,
                                                    const CollectionOptions& options,
                                                    std::ostream& err);

// Adds the inputs to the collection, in runs of paths added the same way into the same group,
// each playlist on its own so that one that cannot be read is named; the items of a group get
// their group as the window's group field gives it. The exit status when the adding ended the
// run, else nothing.
std::optional<int> AddInputs(TDataManager& manager, InMemoryListView& collectionView,
                             ToolPrompter& prompter, StatusLine& status,
                             const std::vector<PlannedInput>& inputs,
                             const std::function<bool()>& interrupted);
