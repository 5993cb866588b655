#pragma once

#include <cstdint>

#include "collection/Tdatamanager.h"
#include "platform/IconList.h"
#include "platform/InMemoryListView.h"
#include "platform/LoopUiThread.h"
#include "tests/doubles/HostDoubles.h"

// A data manager over the in-memory list views of the tests, whose questions nobody answers.
struct DataManagerBenchHost {
    explicit DataManagerBenchHost(std::uint8_t collectionType = 0)
        : CollectionType(collectionType) {}

    std::uint8_t CollectionType;
    InMemoryListView Collection;
    InMemoryListView Medium{true};
    CancellingPrompter Questions;
    LoopUiThread Ui;
    CountingDivisionListener Listener;
    RecordingFileOperations FileOperations;
    PlainIconList Icons;
    TDataManager Manager{CollectionType, Collection, Medium,
                         TDataManagerHost{Questions, Ui, Listener, FileOperations, Icons}};
};
