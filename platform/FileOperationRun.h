// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileOperation.h"
#include "platform/Prompter.h"

class FileOperationProgress;

// How one entry of a run ended.
enum class FileOutcome { Done, Skipped, Cancelled };

// What one run of the file-operation service has in common on every platform: the user's answers
// (a name clash put to the user, whose answers given "for all" hold until the run ends; a failure
// reported with its path and reason, the source then skipped or the run cancelled) and the
// progress over all its sources.
class FileOperationRun {
public:
    FileOperationRun(FileOperationKind kind, Prompter& prompter, FileOperationProgress& progress)
        : Kind(kind), Questions(prompter), Progress(progress) {}

    // Asks about the name clash: Done when the user chose to replace what is at the target.
    FileOutcome AskClash(const std::string& source, const std::string& target);
    // Reports a failure: Skipped when the user skips the source, Cancelled when they cancel.
    FileOutcome Failed(const std::string& source, const std::string& target, const Failure& reason);
    // Puts a failure of another kind (its question's kind, paths and values set) to the user the
    // same way.
    FileOutcome Asked(Question question);
    // Counts a failure the user has already been told of.
    void CountFailure() { ++ErrorCount; }
    // Sources a failure kept from arriving whole, whether the user then skipped or cancelled.
    std::size_t Errors() const { return ErrorCount; }
    // The bytes the run still has to write.
    std::uint64_t Remaining() const { return Total > BytesDone ? Total - BytesDone : 0; }

    // Counts bytes copied into target; false when the user asked to cancel.
    bool Copied(std::uint64_t bytes, const std::string& target);
    bool CancelRequested();

    // Tells the user once that the destination folder could not be made, and why; the run's
    // result.
    FileOperationResult DestinationFailed(const std::string& destination, const Failure& reason);

    // Runs item on each source in turn under one progress titled title, the bytes of every
    // source's tree under the rule counted first; item returns true when the run was cancelled,
    // which ends it. The result holds the cancel and the count of failures.
    FileOperationResult RunSources(const std::vector<FileOperationSource>& sources, TreeRule rule,
                                   const WorkTitle& title, FileOperationPart part,
                                   const std::function<bool(const FileOperationSource&)>& item);

private:
    FileOperationKind Kind;
    Prompter& Questions;
    FileOperationProgress& Progress;
    bool ReplaceAll = false;
    bool SkipAll = false;
    std::size_t ErrorCount = 0;
    std::uint64_t BytesDone = 0;
    std::uint64_t Total = 0;
};
