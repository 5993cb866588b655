// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/ResultsService.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "collection/ResultFile.h"
#include "items/PlaylistFormat.h"
#include "platform/PathNames.h"
#include "platform/Utf8Path.h"

namespace {

bool NeedsFiles(ResultsAction action) {
    return action == ResultsAction::Move || action == ResultsAction::Copy ||
           action == ResultsAction::Images;
}

TProcessedMedia Run(TDataManager& manager, const ResultsRequest& request, const std::string& prefix,
                    FileOperationProgress& progress) {
    switch (request.Action) {
        case ResultsAction::TextLists:
            return manager.SaveTextLists(request.Medium, prefix);
        case ResultsAction::Playlists:
            return manager.SavePlaylists(request.Medium, prefix);
        case ResultsAction::Move:
            return manager.CollectFiles(request.Medium, prefix, FileOperationKind::Move);
        case ResultsAction::Copy:
            return manager.CollectFiles(request.Medium, prefix, FileOperationKind::Copy,
                                        request.Checksums ? TDataManager::ChecksumLists::Written
                                                          : TDataManager::ChecksumLists::None);
        case ResultsAction::Images:
            return manager.MakeImages(request.Medium, prefix, request.Capacity, progress);
    }
    return {};
}

// The files a writer made: the writers stop at the first they cannot write, so the media done are
// the first of the range.
// The images made: a medium whose image failed may be followed by one that was made, and one
// lacking a source the user left out is there too.
void AddWrittenImages(ResultsOutcome& outcome, const std::string& prefix, std::size_t first) {
    std::error_code error;
    const std::size_t tried = outcome.Processed.Done + outcome.Processed.Failed;
    for (std::size_t i = first; i < first + tried; ++i) {
        const std::string image = prefix + std::to_string(i + 1) + std::string(ImageExtension);
        if (std::filesystem::is_regular_file(Utf8Path(image), error))
            outcome.Written.push_back(image);
    }
}

// The medium folders a collecting left: a medium that failed may be followed by one that was done,
// and a failed one, or the one the user stopped at, may hold part of its items.
void AddWrittenFolders(ResultsOutcome& outcome, const std::string& prefix, std::size_t first,
                       bool checksums) {
    std::error_code error;
    const std::size_t tried =
        outcome.Processed.Done + outcome.Processed.Failed + (outcome.Processed.Stopped ? 1 : 0);
    for (std::size_t i = first; i < first + tried; ++i) {
        const std::string medium = prefix + std::to_string(i + 1);
        if (std::filesystem::is_directory(Utf8Path(medium), error))
            outcome.Written.push_back(medium);
        const std::string list = medium + std::string(ChecksumListExtension);
        if (checksums && std::filesystem::is_regular_file(Utf8Path(list), error))
            outcome.Written.push_back(list);
    }
}

}  // namespace

bool ResultsOutcome::AllDone() const {
    return Refused == Refusal::None && Processed.Done == Wanted && Processed.Failed == 0 &&
           !Processed.Stopped;
}

std::optional<std::string> ResultsPrefix(const std::string& baseFolder,
                                         const std::string& mediumName) {
    std::error_code error;
    std::filesystem::create_directories(Utf8Path(baseFolder), error);
    if (error || !std::filesystem::is_directory(Utf8Path(baseFolder), error))
        return std::nullopt;
    return WithTrailingDelimiter(baseFolder) + mediumName;
}

ResultsOutcome ProcessResults(TDataManager& manager, const ResultsRequest& request,
                              FileOperationProgress& progress) {
    ResultsOutcome outcome;
    const auto [first, last] = manager.MediaRange(request.Medium);
    outcome.Wanted = last - first;
    if (NeedsFiles(request.Action) && !manager.GetItemsAreFiles()) {
        outcome.Refused = ResultsOutcome::Refusal::NoFiles;
        return outcome;
    }
    const auto prefix = ResultsPrefix(request.BaseFolder, request.MediumName);
    if (!prefix) {
        outcome.Refused = ResultsOutcome::Refusal::BaseFolder;
        return outcome;
    }
    outcome.Processed = Run(manager, request, *prefix, progress);
    switch (request.Action) {
        case ResultsAction::TextLists:
        case ResultsAction::Playlists:
            outcome.Written = outcome.Processed.Files;
            break;
        case ResultsAction::Images:
            AddWrittenImages(outcome, *prefix, first);
            break;
        case ResultsAction::Move:
        case ResultsAction::Copy:
            AddWrittenFolders(outcome, *prefix, first,
                              request.Action == ResultsAction::Copy && request.Checksums);
            break;
    }
    return outcome;
}
