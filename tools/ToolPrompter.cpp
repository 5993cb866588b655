// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ToolPrompter.h"

#include <algorithm>

#include "tools/StatusLine.h"
#include "ui/QuestionTexts.h"

namespace {

constexpr const char* Program = "vantrel-divide: ";

// The text without its question: what comes before a blank line, else all but a last line that
// asks; a reason after a line break stays. The remaining line ends become spaces so that every
// decision is one line.
std::string Statement(const std::string& text) {
    std::size_t end = text.find("\n\n");
    if (end == std::string::npos) {
        const auto lastLine = text.rfind('\n');
        end = lastLine != std::string::npos && !text.empty() && text.back() == '?' ? lastLine
                                                                                   : text.size();
    }
    std::string statement = text.substr(0, end);
    std::replace(statement.begin(), statement.end(), '\n', ' ');
    return statement;
}

}  // namespace

void ToolPrompter::SetStage(Stage) {
    Failed = false;
    Stopped = false;
}

void ToolPrompter::Decide(const std::string& question, const std::string& text,
                          const std::string& answer) {
    Made.push_back({question, text, answer});
    Status.Print(Program + text + " -> " + answer);
}

void ToolPrompter::Fail(const std::string& text) {
    Failed = true;
    Made.push_back({"failure", text, std::string()});
    Status.Print(Program + text);
}

Answer ToolPrompter::Ask(const Question& question) {
    const std::string statement = Statement(QuestionText(question).toStdString());
    switch (question.Kind) {
        case QuestionKind::OversizedFolder:
            return OversizedFolder(statement);
        case QuestionKind::OversizedFile:
            return OversizedFile(statement);
        case QuestionKind::MissingEntry:
        case QuestionKind::MissingTrackLength:
            return MissingEntry(statement);
        case QuestionKind::DiscTrack:
            return DiscTrack(statement);
        case QuestionKind::NameClash:
            return NameClash(statement);
        case QuestionKind::NonEmptyFolder:
            return NonEmptyFolder(statement);
        case QuestionKind::LeftInPlace:
            // What a move left in place: the rule leaves it out of the media.
            Decide("left-in-place", statement, "kept");
            return Answer::Ok;
        case QuestionKind::CopyFailed:
        case QuestionKind::MoveFailed:
        case QuestionKind::CopyOutOfSpace:
        case QuestionKind::MoveOutOfSpace:
        case QuestionKind::ImageEntryFailed:
            // The entry is skipped and the operation goes on.
            Fail(statement);
            LeftOut = true;
            return Answer::Yes;
        default:
            // Every notice the core gives the tool tells of a failure: an unreadable playlist, a
            // group too large, a list not written, a folder not made.
            Fail(statement);
            return question.Answers == std::vector<Answer>{Answer::Ok} ? Answer::Ok
                                                                       : Answer::Cancel;
    }
}

Answer ToolPrompter::OversizedFolder(const std::string& statement) {
    switch (Answers.OversizedFolder) {
        case ToolAnswers::Folder::Expand:
            Decide("oversized-folder", statement, "expanded");
            return Answer::Expand;
        case ToolAnswers::Folder::Exclude:
            LeftOut = true;
            Decide("oversized-folder", statement, "excluded");
            return Answer::Exclude;
        case ToolAnswers::Folder::Stop:
            break;
    }
    Stopped = true;
    Decide("oversized-folder", statement, "stopped");
    return Answer::Cancel;
}

Answer ToolPrompter::OversizedFile(const std::string& statement) {
    if (Answers.OversizedFile == ToolAnswers::File::Exclude) {
        LeftOut = true;
        Decide("oversized-file", statement, "excluded");
        return Answer::Yes;
    }
    Stopped = true;
    Decide("oversized-file", statement, "stopped");
    return Answer::Cancel;
}

Answer ToolPrompter::MissingEntry(const std::string& statement) {
    if (Answers.MissingEntry == ToolAnswers::Entry::Skip) {
        LeftOut = true;
        Decide("missing-entry", statement, "skipped");
        return Answer::Yes;
    }
    Stopped = true;
    Decide("missing-entry", statement, "stopped");
    return Answer::Cancel;
}

Answer ToolPrompter::DiscTrack(const std::string& statement) {
    switch (Answers.DiscTracks) {
        case ToolAnswers::DiscTrack::Add:
            Decide("disc-track", statement, "added");
            return Answer::Yes;
        case ToolAnswers::DiscTrack::Skip:
            LeftOut = true;
            Decide("disc-track", statement, "skipped");
            return Answer::No;
        case ToolAnswers::DiscTrack::Stop:
            break;
    }
    Stopped = true;
    Decide("disc-track", statement, "stopped");
    return Answer::Cancel;
}

Answer ToolPrompter::NameClash(const std::string& statement) {
    if (Answers.Clashes == ToolAnswers::Clash::Yes) {
        Decide("clash", statement, "replaced");
        return Answer::Yes;
    }
    LeftOut = true;
    Decide("clash", statement, "kept");
    return Answer::No;
}

Answer ToolPrompter::NonEmptyFolder(const std::string& statement) {
    if (Answers.Clashes == ToolAnswers::Clash::No) {
        Stopped = true;
        Decide("non-empty-folder", statement, "stopped");
        return Answer::No;
    }
    Decide("non-empty-folder", statement, "used");
    return Answer::Yes;
}
