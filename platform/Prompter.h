// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Every question and notice the program puts to its user, by kind. The core says which question
// it asks and with which values; the face words it (the window's dialogs) or answers it from its
// options (the command-line tool), and tests answer from a script.
enum class QuestionKind {
    // Adding to the collection.
    MissingEntries,       // Paths: entries not found, left out (notice)
    NotPlaylists,         // Paths: music entries that are no playlists, left out (notice)
    UnmeasuredEntries,    // Paths: entries whose size could not be read, added (notice)
    PlaylistUnreadable,   // notice
    PlaylistUnsupported,  // notice
    DiscTrack,            // Path: the track's title or location on an audio disc; add it?
    MissingEntry,         // Path: a playlist entry with no file; skip it?
    MissingTrackLength,   // Path: a playlist entry's title or location without a time, Other: the
                          // platform's player; skip it?
    // Preparing the division.
    GroupTooLarge,    // Number: the group (notice)
    OversizedFolder,  // Path
    OversizedFile,    // Path; exclude it?
    // Processing the results.
    NonEmptyFolder,     // Path: a medium's folder that holds entries; collect into it?
    ImageTooLarge,      // Path: the image; Size, Capacity: value texts (notice)
    FileNotWritten,     // Path: a list or a playlist (notice)
    BaseFolderMissing,  // notice
    // File operations and images.
    CopyFailed,        // Path: the source, Other: the destination, Reason; skip it?
    MoveFailed,        // as CopyFailed
    CopyOutOfSpace,    // as CopyFailed, with Number: the bytes the rest needs, Count: bytes free
    MoveOutOfSpace,    // as CopyOutOfSpace
    LeftInPlace,       // Number: hidden or system entries a move left where they were (notice)
    NameClash,         // Path: the file there, Other: the file replacing it; replace it?
    FolderNotCreated,  // Path, Reason (notice)
    ImageEntryFailed,  // Path: the entry, Other: the image, Reason; skip it?
    ImageNotWritten,   // Path: the image, Reason (notice)
    // The player; Other: the player's name (notices).
    PlayerNotStarted,
    PlayerTooOld,
    PlayerThree,
    PlayerNotAnswering,
    PlaylistNotSent,  // Number: tracks taken, Count: tracks sent
    PlaylistNotReceived,
    PlayerControlMissing,
    PlayerNotInFolder,
    // The window.
    SettingsNotSaved,  // notice
    StopBeforeExit,    // notice
    DiscardResults,    // the results go; go on?
    AddressNotOpened,  // Path: the address shown (notice)
    HelpPageMissing,   // Path: the page (notice)
};

// The answers a question allows. A message's answers are its buttons in their order.
enum class Answer {
    Ok,
    Yes,
    No,
    Cancel,
    NoToAll,
    YesToAll,
    Expand,
    Exclude,
    ExpandForAll,
    ExcludeForAll
};

// Why an operation failed: a reason of the program's own, or the system's error text.
enum class FailureReason {
    System,
    FolderIntoItself,
    SameFile,
    FolderInTheWay,
    FileInTheWay,
    PlacedByThisOperation,
    SizeMismatch,
    NameTaken,
    ImageIncomplete,
    ImageLinkNameTooLong,  // an entry inside is a link to a name over 255 bytes
    ImageLinkTooLong,      // an entry inside is a link of 1 024 bytes or more
    ImagePathTooLong,      // an entry inside has a path of 4 096 bytes or more
    ImageLayoutFault       // libisofs laid out the Rock Ridge records wrongly and stopped
};

struct Failure {
    FailureReason Why = FailureReason::System;
    // The system's own words for FailureReason::System, libisofs's for ImageLayoutFault; the
    // entry beyond the limit for the image's limits.
    std::string SystemText;
};

struct Question {
    explicit Question(QuestionKind kind, std::string path = {}, std::string other = {})
        : Kind(kind), Path(std::move(path)), Other(std::move(other)) {}

    QuestionKind Kind;
    std::string Path;                // what the question is about
    std::string Other;               // the second path or name the kind names
    std::vector<std::string> Paths;  // the entries a notice lists
    std::uint64_t Number = 0;
    std::uint64_t Count = 0;
    std::string Size;      // value texts of an image's size
    std::string Capacity;  // and of its medium's capacity
    Failure Reason;
    std::vector<Answer> Answers{Answer::Ok};
    Answer Default = Answer::Ok;
};

// The questions of operations that may skip one entry and go on, or stop.
inline const std::vector<Answer> SkipOrCancel{Answer::Yes, Answer::Cancel};
inline const std::vector<Answer> SkipOrCancelForAll{Answer::Yes, Answer::Cancel, Answer::YesToAll};
inline const std::vector<Answer> EveryAnswer{Answer::Yes, Answer::No, Answer::Cancel,
                                             Answer::NoToAll, Answer::YesToAll};

class Prompter {
public:
    virtual ~Prompter() = default;

    // Asks and waits for the answer: one of question.Answers, or Cancel when the user closes the
    // question and Cancel is allowed (else the last answer allowed).
    virtual Answer Ask(const Question& question) = 0;
};
