// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/Prompter.h"

class StatusLine;

// The answers vantrel-divide gives to the questions the window puts to its user.
struct ToolAnswers {
    enum class Folder { Expand, Exclude, Stop };  // an oversized folder
    enum class File { Exclude, Stop };            // an oversized file
    enum class Entry { Skip, Stop };              // a playlist entry without file or time
    enum class DiscTrack { Skip, Add, Stop };     // a playlist entry on an audio disc
    // A name clash or a non-empty medium folder while collecting or linking. Keep: existing
    // files stay and the medium folder is used all the same; Yes: existing files are replaced;
    // No: existing files stay and a non-empty medium folder ends the collecting.
    enum class Clash { Keep, Yes, No };

    Folder OversizedFolder = Folder::Expand;
    File OversizedFile = File::Exclude;
    Entry MissingEntry = Entry::Skip;
    DiscTrack DiscTracks = DiscTrack::Skip;
    Clash Clashes = Clash::Keep;
};

// One question answered, or one failure told, as standard error and the JSON report show it.
struct ToolDecision {
    std::string Question;  // oversized-folder, oversized-file, missing-entry, disc-track, clash,
                           // non-empty-folder, failure
    std::string Text;      // the program's own text, its question left off
    std::string Answer;    // empty for a failure
};

// Answers every question of the data manager and the file operations without asking, by its
// kind, from the options, and writes each decision to standard error in the words the window
// would show (the statement without its question). The run marks the start of each stage.
class ToolPrompter : public Prompter {
public:
    enum class Stage { Input, Preparation, Lists, Collecting };

    ToolPrompter(const ToolAnswers& answers, StatusLine& status)
        : Answers(answers), Status(status) {}

    // Enters a stage; the stage's marks start clear.
    void SetStage(Stage stage);

    Answer Ask(const Question& question) override;

    // In the current stage: something failed (an unreadable playlist, a group too large, a file
    // not written, a copy error), or an answer stopped the operation.
    bool StageFailed() const { return Failed; }
    bool StageStopped() const { return Stopped; }
    // Whether any item was left out of the division or the collecting.
    bool ItemsLeftOut() const { return LeftOut; }
    // Notes that the run left something of the input out without a question (a folder that
    // could not be read).
    void NoteLeftOut() { LeftOut = true; }
    const std::vector<ToolDecision>& Decisions() const { return Made; }

    // Records and writes a decision or a failure of the tool's own (the links it makes).
    void Decide(const std::string& question, const std::string& text, const std::string& answer);
    void Fail(const std::string& text);

private:
    const ToolAnswers& Answers;
    // The answers of the kinds the options decide.
    Answer OversizedFolder(const std::string& statement);
    Answer OversizedFile(const std::string& statement);
    Answer MissingEntry(const std::string& statement);
    Answer DiscTrack(const std::string& statement);
    Answer NameClash(const std::string& statement);
    Answer NonEmptyFolder(const std::string& statement);

    StatusLine& Status;
    bool Failed = false;
    bool Stopped = false;
    bool LeftOut = false;
    std::vector<ToolDecision> Made;
};
