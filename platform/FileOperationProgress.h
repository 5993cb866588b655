// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// What a file operation shows while it runs: one progress window with a title, the bytes done
// out of the total, and a way for the user to stop it. The service calls it on its own thread
// (the user-interface thread), between blocks of a file and between files.
class FileOperationProgress {
public:
    virtual ~FileOperationProgress() = default;

    // An operation begins; totalBytes is what it will copy at most (renames copy nothing).
    virtual void Started(const std::string& title, std::uint64_t totalBytes) = 0;
    // Bytes done so far and the path being worked on.
    virtual void Advanced(std::uint64_t bytesDone, const std::string& currentPath) = 0;
    // True once the user has asked to stop; the operation then stops at once, removing the copy
    // of the file it was writing.
    virtual bool CancelRequested() = 0;
    virtual void Finished() = 0;
};
