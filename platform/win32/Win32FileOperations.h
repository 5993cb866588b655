// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/FileOperationsBase.h"

// Copies and moves with the wide Win32 calls, keeping the promises the POSIX service keeps:
// - every file is copied under a hidden temporary name beside its destination, flushed to the
//   disk (FlushFileBuffers), its size checked, and only then renamed to its destination name
//   with write-through (CopyFileWhole); a file already there is replaced only after the user
//   agreed and only by a whole copy; what a killed run left is removed by the next run into the
//   folder;
// - a cancel or an error mid-file leaves no partial file behind and the source as it was;
// - a folder this run made for an item that then failed is removed again when it received
//   nothing;
// - a move within one volume is a rename; across volumes each file is copied whole as above and
//   only then its source deleted (MoveAcrossVolumes);
// - an entry this operation has put in place is never replaced by a later source of the same
//   name; a missing destination folder is created, or the user told once why it cannot be;
// - a folder is never copied or moved into itself (paths compared without regard to case).
// Inside folders only the entries of the tree under the rule are copied or moved (see
// TreeWalker.h); a move leaves the others, and so the folders holding them, where they are. A
// reparse point (symbolic link, junction) given as a source stands for what it leads to; one met
// inside a folder is not followed and is reported as not copied.
class Win32FileOperations : public FileOperationsBase {
public:
    Win32FileOperations(Prompter& prompter, FileOperationProgress& progress);

    FileOperationResult Run(FileOperationKind kind, const std::vector<FileOperationSource>& sources,
                            const std::string& destinationFolder, const WorkTitle& progressTitle,
                            FileOperationPart part) override;
};
