// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/Prompter.h"

// One file copied or moved on Windows so that nothing is lost and nothing half-written ever
// carries a final name, whenever the process is stopped: the pieces the file-operation service
// of this platform is built from.

struct WholeFileResult {
    unsigned long Error = 0;        // the system's error code that stopped it; 0 when none
    std::optional<Failure> Reason;  // what went wrong: the system's text or a reason of our own
    bool Cancelled = false;         // afterBlock asked to stop
    std::uint64_t Copied = 0;       // bytes that arrived
    bool Done() const { return Error == 0 && !Reason && !Cancelled; }
};

// Runs after each block copied with the bytes it held; false stops the copy as cancelled.
using AfterBlock = std::function<bool(std::uint64_t bytes)>;

// Receives each block's bytes as they are copied (to compute a checksum on the way).
using BlockSink = std::function<void(const char* bytes, std::size_t size)>;

// Copies source into target. The bytes go to a hidden temporary file beside target (named by
// PartialFilePattern, so a later run recognises what a killed one left), are flushed to the disk
// (FlushFileBuffers), the copy's size is checked against the source's, the copy takes the
// source's attributes and time of last change, and only then it takes target's name
// (MoveFileExW with write-through), replacing a file there only when replacing is true. On a
// cancel or a failure the temporary file is gone and target is as it was.
WholeFileResult CopyFileWhole(const std::string& source, const std::string& target, bool replacing,
                              const AfterBlock& afterBlock, const BlockSink& sink = {});

// Moves source to target: a rename with write-through on one volume; across volumes
// MoveAcrossVolumes.
WholeFileResult MoveFileWhole(const std::string& source, const std::string& target, bool replacing,
                              const AfterBlock& afterBlock);

// The move across volumes: a whole copy as CopyFileWhole makes it, and the source deleted only
// after its copy has taken its name.
WholeFileResult MoveAcrossVolumes(const std::string& source, const std::string& target,
                                  bool replacing, const AfterBlock& afterBlock,
                                  const BlockSink& sink = {});
