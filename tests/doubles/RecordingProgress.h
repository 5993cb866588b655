// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/FileOperationProgress.h"

// Records what a file operation shows and plays a user who presses Cancel once a given number of
// bytes is done.
class RecordingProgress : public FileOperationProgress {
public:
    void Started(const WorkTitle& title, std::uint64_t totalBytes, std::size_t number,
                 std::size_t count) override {
        Title = title;
        TotalBytes = totalBytes;
        Parts.push_back(std::to_string(number) + "/" + std::to_string(count));
        ++StartCount;
    }
    void Advanced(std::uint64_t bytesDone, const std::string&) override {
        if (bytesDone < LastBytes)
            WentBackwards = true;
        LastBytes = bytesDone;
    }
    bool CancelRequested() override { return LastBytes >= CancelAtBytes; }
    void Finished() override { ++FinishCount; }

    WorkTitle Title;
    std::vector<std::string> Parts;  // "number/count" of each operation started
    std::uint64_t TotalBytes = 0;
    std::uint64_t LastBytes = 0;
    std::uint64_t CancelAtBytes = std::numeric_limits<std::uint64_t>::max();
    bool WentBackwards = false;
    int StartCount = 0;
    int FinishCount = 0;
};
