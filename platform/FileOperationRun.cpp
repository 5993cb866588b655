// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileOperationRun.h"

#include "platform/FileOperationProgress.h"
#include "platform/PathNames.h"
#include "platform/TreeWalker.h"

FileOutcome FileOperationRun::AskClash(const std::string& source, const std::string& target) {
    if (ReplaceAll)
        return FileOutcome::Done;
    if (SkipAll)
        return FileOutcome::Skipped;
    // Replacing loses the file that is there, so No is the default.
    Question clash{QuestionKind::NameClash, target, source};
    clash.Answers = EveryAnswer;
    clash.Default = Answer::No;
    switch (Questions.Ask(clash)) {
        case Answer::Yes:
            return FileOutcome::Done;
        case Answer::YesToAll:
            ReplaceAll = true;
            return FileOutcome::Done;
        case Answer::No:
            return FileOutcome::Skipped;
        case Answer::NoToAll:
            SkipAll = true;
            return FileOutcome::Skipped;
        default:
            return FileOutcome::Cancelled;
    }
}

FileOutcome FileOperationRun::Failed(const std::string& source, const std::string& target,
                                     const Failure& reason) {
    Question failed{
        Kind == FileOperationKind::Copy ? QuestionKind::CopyFailed : QuestionKind::MoveFailed,
        source, target};
    failed.Reason = reason;
    return Asked(std::move(failed));
}

FileOutcome FileOperationRun::Asked(Question question) {
    ++ErrorCount;
    question.Answers = SkipOrCancel;
    question.Default = Answer::Yes;
    return Questions.Ask(question) == Answer::Yes ? FileOutcome::Skipped : FileOutcome::Cancelled;
}

bool FileOperationRun::Copied(std::uint64_t bytes, const std::string& target) {
    BytesDone += bytes;
    Progress.Advanced(BytesDone, target);
    return !Progress.CancelRequested();
}

bool FileOperationRun::CancelRequested() {
    return Progress.CancelRequested();
}

FileOperationResult FileOperationRun::DestinationFailed(const std::string& destination,
                                                        const Failure& reason) {
    Question notCreated{QuestionKind::FolderNotCreated, destination};
    notCreated.Reason = reason;
    Questions.Ask(notCreated);
    FileOperationResult result;
    result.DestinationFailed = true;
    return result;
}

FileOperationResult FileOperationRun::RunSources(
    const std::vector<FileOperationSource>& sources, TreeRule rule, const WorkTitle& title,
    FileOperationPart part, const std::function<bool(const FileOperationSource&)>& item) {
    std::vector<std::uint64_t> sizes;
    std::uint64_t total = 0;
    for (const auto& source : sources) {
        sizes.push_back(
            MeasureTree(WithoutTrailingDelimiter(source.Path), source.LinkItself, rule).Bytes);
        total += sizes.back();
    }
    Progress.Started(title, total, part.Number, part.Count);
    Total = total;

    FileOperationResult result;
    std::uint64_t reached = 0;
    for (std::size_t i = 0; i < sources.size() && !result.Cancelled; ++i) {
        result.Cancelled = item(sources[i]);
        // Renames copy nothing but count as done.
        reached += sizes[i];
        if (reached > BytesDone) {
            BytesDone = reached;
            Progress.Advanced(BytesDone, std::string());
        }
    }
    Progress.Finished();
    result.Failed = ErrorCount;
    return result;
}
