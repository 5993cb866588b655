#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DivisionListener.h"
#include "FileOperation.h"
#include "Prompter.h"

// Nobody answers: every question is cancelled (for benchmarks and fuzzing, where a question
// would be a fault of the run, not something to script).
class CancellingPrompter : public Prompter {
public:
    PromptButton MessageBox(const std::string&, PromptIcon, const std::vector<PromptButton>&,
                            PromptButton) override {
        return PromptButton::Cancel;
    }
    PromptButton MessageDialog(DialogKind, const std::string&, const std::vector<PromptButton>&,
                               PromptButton) override {
        return PromptButton::Cancel;
    }
    DirTooBigAnswer AskDirTooBig(const std::string&) override { return DirTooBigAnswer::Cancel; }
};

// A division listener that only counts what it is told.
class CountingDivisionListener : public DivisionListener {
public:
    void addResultMedium() override { ++MediaAdded; }
    void ShowDivisionProgress(std::int32_t, std::uint32_t, std::uint64_t, std::uint32_t) override {
        ++ProgressReports;
    }
    void DivisionEnded() override { ++Ended; }

    int MediaAdded = 0;
    int ProgressReports = 0;
    int Ended = 0;
};

// A file-operation service that records its calls and does nothing to the files.
class RecordingFileOperations : public FileOperationService {
public:
    struct Call {
        FileOperationKind Kind;
        std::vector<std::string> Sources;
        std::string Destination;
        std::string Title;
    };
    bool Run(FileOperationKind kind, const std::vector<std::string>& sources,
             const std::string& destinationFolder, const std::string& progressTitle) override {
        Calls.push_back({kind, sources, destinationFolder, progressTitle});
        return Result;
    }

    std::vector<Call> Calls;
    bool Result = true;
};
