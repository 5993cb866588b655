// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "collection/Tdatamanager.h"
#include "platform/IconList.h"
#include "platform/InMemoryListView.h"
#include "platform/LoopUiThread.h"
#include "tests/doubles/HostDoubles.h"

// A data manager over the in-memory list views of the tests, whose questions nobody answers.
struct DataManagerBenchHost {
    explicit DataManagerBenchHost(CollectionKind collectionType = FilesAndFolders) {
        Manager.SetCollectionType(collectionType);
    }

    InMemoryListView Collection;
    InMemoryListView Medium{true};
    CancellingPrompter Questions;
    LoopUiThread Ui;
    CountingDivisionListener Listener;
    RecordingFileOperations FileOperations;
    PlainIconList Icons;
    TDataManager Manager{Collection, Medium,
                         TDataManagerHost{Questions, Ui, Listener, FileOperations, Icons}};
};
