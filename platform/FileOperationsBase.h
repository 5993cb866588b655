// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>
#include <vector>

#include "platform/FileOperation.h"

class Prompter;
class FileOperationProgress;

// What the file-operation services of every system keep between runs: whom they ask and tell,
// the tree rule of the folders they copy or move, and the checksums a run was asked to record.
class FileOperationsBase : public FileOperationService {
public:
    void SetTreeRule(TreeRule rule) override { Rule = rule; }
    void RecordChecksums(bool on) override { Recording = on; }
    std::vector<FileChecksum> TakeChecksums() override { return std::move(Sums); }

protected:
    FileOperationsBase(Prompter& prompter, FileOperationProgress& progress)
        : Questions(prompter), Progress(progress) {}

    Prompter& Questions;
    FileOperationProgress& Progress;
    TreeRule Rule;
    bool Recording = false;
    std::vector<FileChecksum> Sums;
};
