// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "items/DivisionListener.h"
#include "platform/FileOperation.h"
#include "tests/doubles/CancellingPrompter.h"

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
        std::vector<bool> LinksItself;
        std::string Destination;
        WorkTitle Title;
        std::size_t Number;
        std::size_t Count;
    };
    FileOperationResult Run(FileOperationKind kind, const std::vector<FileOperationSource>& sources,
                            const std::string& destinationFolder, const WorkTitle& progressTitle,
                            FileOperationPart part) override {
        Call call{kind, {}, {}, destinationFolder, progressTitle, part.Number, part.Count};
        for (const FileOperationSource& source : sources) {
            call.Sources.push_back(source.Path);
            call.LinksItself.push_back(source.LinkItself);
        }
        Calls.push_back(std::move(call));
        return Result;
    }

    std::vector<Call> Calls;
    FileOperationResult Result;
};
