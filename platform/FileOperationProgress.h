// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/WorkTitle.h"

// What a file operation shows while it runs: one progress window with a title, the bytes done
// out of the total, where the operation stands in its run, and a way for the user to stop it.
// The service calls it on its own thread (the user-interface thread), between blocks of a file
// and between files.
class FileOperationProgress {
public:
    virtual ~FileOperationProgress() = default;

    // An operation begins; totalBytes is what it will copy at most (renames copy nothing). It is
    // part number (from 1) of count operations of one run, which the window shows as a whole.
    virtual void Started(const WorkTitle& title, std::uint64_t totalBytes, std::size_t number,
                         std::size_t count) = 0;
    // Bytes done so far and the path being worked on.
    virtual void Advanced(std::uint64_t bytesDone, const std::string& currentPath) = 0;
    // True once the user has asked to stop; the operation then stops at once, removing the copy
    // of the file it was writing, and the run it belongs to ends.
    virtual bool CancelRequested() = 0;
    virtual void Finished() = 0;
};
