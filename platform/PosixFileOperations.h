// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileOperationsBase.h"

class Prompter;
class FileOperationProgress;

// Failures a test can make the service meet where the real ones are hard to arrange. Each hook
// returns 0 to let the call go on, or the error number the call should fail with.
struct FileOperationFaults {
    // Before a block is written into the copy of target, at the given offset.
    std::function<int(const std::string& target, std::uint64_t offset)> BeforeWrite;
    // Before a rename from one path to another (EXDEV makes a move copy across file systems).
    std::function<int(const std::string& from, const std::string& to)> BeforeRename;
    // Before a folder is flushed to the disk (a move across file systems, before its source
    // goes).
    std::function<int(const std::string& folder)> BeforeFolderSync;
};

// Copies and moves with the standard library and POSIX calls. Nothing is ever lost:
// - every file is copied under a temporary name beside its destination (PartialFilePrefix, so
//   what a crash leaves is recognised and removed by the next run into that folder), flushed to
//   the disk, its size checked, and only then renamed to its destination name; a file already
//   there is replaced only after the user agreed and only by a whole copy;
// - a cancel or an error mid-file leaves no partial file behind and the source as it was;
// - a folder this run made for an item that then failed is removed again when it received
//   nothing;
// - a move within one file system is a rename; a move across file systems copies each file,
//   flushes it and the folder holding it to the disk, checks its size, and only then removes
//   the source file;
// - an entry this operation has put in place is never replaced by a later source of the same
//   name: that source stays where it is and the user is told;
// - a destination folder that is missing is created (and, for a move, put on the disk before
//   any source goes); when it cannot be, the user is told the folder and the reason once;
// - a folder is never copied or moved into itself.
// Inside folders only the entries of the tree under the rule are copied or moved (see
// TreeWalker.h): links as links, hidden entries only when counted, devices, FIFOs and sockets
// never; a move leaves what is left out, and so the folders holding it, where it was. A link
// given as a source stands for what it points to (unless the source says it is the link itself):
// its target's data arrives under the link's name, and a move then removes the link and leaves
// the target where it is. Name clashes and errors are put to the user through the
// prompter.
class PosixFileOperations : public FileOperationsBase {
public:
    PosixFileOperations(Prompter& prompter, FileOperationProgress& progress);

    FileOperationResult Run(FileOperationKind kind, const std::vector<FileOperationSource>& sources,
                            const std::string& destinationFolder, const WorkTitle& progressTitle,
                            FileOperationPart part) override;

    void InjectFaults(FileOperationFaults faults) { Faults = std::move(faults); }

private:
    FileOperationFaults Faults;
};
