// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "collection/DivisionRequest.h"
#include "tools/ToolPrompter.h"

// One path the collection is made of, or (ListFile) a file naming such paths one per line, "-"
// being standard input. Group 0 is no group.
struct CollectionInput {
    std::string Path;
    std::uint32_t Group = 0;
    bool ListFile = false;
    bool operator==(const CollectionInput&) const = default;
};

// The collection mode of vantrel-divide: files, folders or playlists divided through the same
// data manager, division thread, list writers and file operations as the window.
struct CollectionOptions {
    // Music: playlists of tracks, sizes in hundredths of a second.
    DivisionRequest Division;
    bool Contents = false;       // a folder brings its entries, not itself
    bool CountHidden = false;    // hidden entries inside folders are counted and written
    double MediumTimeLimit = 0;  // seconds one medium's search may take; 0: no limit
    std::vector<CollectionInput> Inputs;

    std::string Name = std::string(DefaultMediumName);
    std::string ListsFolder;
    std::string PlaylistsFolder;
    std::string CopyFolder;
    std::string MoveFolder;
    std::string SymlinksFolder;
    std::string IsoFolder;
    bool Checksums = false;  // a SHA-256 list beside each medium folder a copy makes

    ToolAnswers Answers;
    bool Json = false;
    bool Quiet = false;
};

// Where a run reads and writes. Interrupted is asked while the search and the file operations
// run; once it holds, they stop cleanly.
struct CollectionStreams {
    std::istream& In;
    std::ostream& Out;
    std::ostream& Err;
    bool ErrIsTerminal = false;
    std::function<bool()> Interrupted = [] { return false; };
};

// Exit statuses of a run.
inline constexpr int ExitPlaced = 0;
inline constexpr int ExitNotAllDone = 1;
inline constexpr int ExitBadInput = 2;
inline constexpr int ExitInterrupted = 130;

// Runs the division and the actions asked for; returns the exit status.
int RunCollection(const CollectionOptions& options, const CollectionStreams& streams);
