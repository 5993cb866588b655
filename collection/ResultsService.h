// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "collection/Tdatamanager.h"

class FileOperationProgress;

// What processing the results does with each medium of the range.
enum class ResultsAction { TextLists, Playlists, Move, Copy, Images };

// One processing of a division's results, as the Results page and vantrel-divide ask for it.
struct ResultsRequest {
    ResultsAction Action = ResultsAction::TextLists;
    int Medium = -1;             // the one medium processed, or -1 for every medium
    std::string BaseFolder;      // made when it is missing
    std::string MediumName;      // each file and folder is named this and the medium's number
    bool Checksums = false;      // Copy: a SHA-256 list beside each medium folder
    std::uint64_t Capacity = 0;  // Images: an image larger than this is kept and the user told
};

// What a processing did.
struct ResultsOutcome {
    enum class Refusal {
        None,
        BaseFolder,  // the base folder could not be made: nothing was done
        NoFiles,     // the items are no files (tracks of an audio disc) to copy, move or image
    };
    Refusal Refused = Refusal::None;
    TProcessedMedia Processed;
    std::size_t Wanted = 0;            // the media the range covers
    std::vector<std::string> Written;  // the files and medium folders there afterwards
    // Every medium of the range done whole, nothing failed, nothing stopped.
    bool AllDone() const;
};

// The prefix of the results' names in the base folder, the folder made when it is missing; nothing
// when it cannot be made.
std::optional<std::string> ResultsPrefix(const std::string& baseFolder,
                                         const std::string& mediumName);

// Processes the media of the request's range. Failures and questions go to the data manager's
// prompter; progress of images goes to progress (the file operations report their own).
ResultsOutcome ProcessResults(TDataManager& manager, const ResultsRequest& request,
                              FileOperationProgress& progress);
