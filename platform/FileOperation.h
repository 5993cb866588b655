// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/TreeWalker.h"
#include "platform/WorkTitle.h"

enum class FileOperationKind { Copy, Move };

// One path to copy or move. A link given as a source stands for what it points to, unless
// LinkItself asks for the link (a link found inside a folder, measured as the link).
struct FileOperationSource {
    std::string Path;
    bool LinkItself = false;
};

// What one call achieved.
struct FileOperationResult {
    bool Cancelled = false;          // the user stopped it; a run over several calls ends too
    bool DestinationFailed = false;  // the destination folder could not be made (reported once)
    std::size_t Failed = 0;          // sources an error kept from arriving whole (reported each)
    std::size_t LeftInPlace = 0;     // entries a move left where they were: not of the tree
    bool NoSpace = false;            // the destination filled up (told once, with the sizes)

    bool Done() const { return !Cancelled && !DestinationFailed && Failed == 0; }
};

// Where one call stands in a run of several (one per medium), for the progress window.
struct FileOperationPart {
    std::size_t Number = 1;  // counted from 1
    std::size_t Count = 1;
};

// The SHA-256 of a file a copy wrote, in lowercase hexadecimal, with the file's path.
struct FileChecksum {
    std::string Path;
    std::string Sha256;
};

// Copies or moves files and whole folder trees into a folder, the way the desktop's file manager
// does: one progress window with a title, a question on every name clash (replace, skip, for
// all, cancel) and a report of every error with the path and the system's reason.
class FileOperationService {
public:
    virtual ~FileOperationService() = default;

    // A source the user chose to skip on a name clash is no failure.
    virtual FileOperationResult Run(FileOperationKind kind,
                                    const std::vector<FileOperationSource>& sources,
                                    const std::string& destinationFolder,
                                    const WorkTitle& progressTitle, FileOperationPart part) = 0;

    // Which entries of the folders later runs copy or move: those of their tree under the rule.
    // A move leaves the others, and so the folders holding them, where they are.
    virtual void SetTreeRule(TreeRule) {}

    // Asks later copies to record the SHA-256 of every file, computed while the file is copied.
    virtual void RecordChecksums(bool) {}
    // What the last run recorded, in the order the files were copied; empty when not asked.
    virtual std::vector<FileChecksum> TakeChecksums() { return {}; }
};
