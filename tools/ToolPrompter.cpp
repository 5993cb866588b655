// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ToolPrompter.h"

#include <algorithm>

#include "tools/StatusLine.h"

namespace {

constexpr const char* Program = "vantrel-divide: ";

// The text without its question: what comes before a blank line, else the first line; the
// remaining line ends become spaces so that every decision is one line.
std::string Statement(const std::string& text) {
    const auto blank = text.find("\n\n");
    std::string statement = text.substr(0, blank != std::string::npos ? blank : text.find('\n'));
    std::replace(statement.begin(), statement.end(), '\n', ' ');
    return statement;
}

}  // namespace

void ToolPrompter::SetStage(Stage stage) {
    Current = stage;
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

PromptButton ToolPrompter::MessageBox(const std::string& text, PromptIcon icon,
                                      const std::vector<PromptButton>& buttons, PromptButton) {
    const bool question =
        std::find(buttons.begin(), buttons.end(), PromptButton::Yes) != buttons.end();
    // The one information: what a move left in place, the rule leaving it out of the media.
    if (!question && icon == PromptIcon::Information) {
        Decide("left-in-place", Statement(text), "kept");
        return PromptButton::Ok;
    }
    if (!question) {
        // Every notice the core gives the tool tells of a failure: an unreadable playlist, a
        // group too large, a list not written, a folder not made.
        Fail(Statement(text));
        return PromptButton::Ok;
    }
    // The one yes-or-no box: collecting into a medium folder that is not empty.
    if (Answers.Clashes == ToolAnswers::Clash::No) {
        Stopped = true;
        Decide("non-empty-folder", Statement(text), "stopped");
        return PromptButton::No;
    }
    Decide("non-empty-folder", Statement(text), "used");
    return PromptButton::Yes;
}

PromptButton ToolPrompter::MessageDialog(DialogKind kind, const std::string& text,
                                         const std::vector<PromptButton>&, PromptButton) {
    const std::string statement = Statement(text);
    switch (Current) {
        case Stage::Input:
            if (kind == DialogKind::Confirmation) {
                switch (Answers.DiscTracks) {
                    case ToolAnswers::DiscTrack::Add:
                        Decide("disc-track", statement, "added");
                        return PromptButton::Yes;
                    case ToolAnswers::DiscTrack::Skip:
                        LeftOut = true;
                        Decide("disc-track", statement, "skipped");
                        return PromptButton::No;
                    case ToolAnswers::DiscTrack::Stop:
                        break;
                }
                Stopped = true;
                Decide("disc-track", statement, "stopped");
                return PromptButton::Cancel;
            }
            if (Answers.MissingEntry == ToolAnswers::Entry::Skip) {
                LeftOut = true;
                Decide("missing-entry", statement, "skipped");
                return PromptButton::Yes;
            }
            Stopped = true;
            Decide("missing-entry", statement, "stopped");
            return PromptButton::Cancel;
        case Stage::Preparation:
            if (Answers.OversizedFile == ToolAnswers::File::Exclude) {
                LeftOut = true;
                Decide("oversized-file", statement, "excluded");
                return PromptButton::Yes;
            }
            Stopped = true;
            Decide("oversized-file", statement, "stopped");
            return PromptButton::Cancel;
        case Stage::Lists:
            break;
        case Stage::Collecting:
            if (kind == DialogKind::Confirmation) {
                if (Answers.Clashes == ToolAnswers::Clash::Yes) {
                    Decide("clash", statement, "replaced");
                    return PromptButton::Yes;
                }
                LeftOut = true;
                Decide("clash", statement, "kept");
                return PromptButton::No;
            }
            // An error with the offer to skip the entry and go on.
            Fail(statement);
            LeftOut = true;
            return PromptButton::Yes;
    }
    Fail(statement);
    return PromptButton::Cancel;
}

DirTooBigAnswer ToolPrompter::AskDirTooBig(const std::string& message) {
    switch (Answers.OversizedFolder) {
        case ToolAnswers::Folder::Expand:
            Decide("oversized-folder", message, "expanded");
            return DirTooBigAnswer::Expand;
        case ToolAnswers::Folder::Exclude:
            LeftOut = true;
            Decide("oversized-folder", message, "excluded");
            return DirTooBigAnswer::Exclude;
        case ToolAnswers::Folder::Stop:
            break;
    }
    Stopped = true;
    Decide("oversized-folder", message, "stopped");
    return DirTooBigAnswer::Cancel;
}
