#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DivisionListener.h"
#include "FileOperation.h"
#include "InMemoryListView.h"
#include "LoopUiThread.h"
#include "ScriptedPrompter.h"
#include "Tdatamanager.h"

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

// Everything a TDataManager needs around it in a test: the collection type setting, both list
// views (the medium list sorting itself by caption) and the host services.
struct DataManagerFixtureParts {
    std::uint8_t CollectionType = 0;
    InMemoryListView Collection;
    InMemoryListView Medium{true};
    ScriptedPrompter Prompter;
    LoopUiThread UiThread;
    CountingDivisionListener Listener;
    RecordingFileOperations FileOperations;

    TDataManagerHost Host() {
        return TDataManagerHost{Prompter, UiThread, Listener, FileOperations};
    }
};
