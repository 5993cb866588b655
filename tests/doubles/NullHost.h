// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "collection/Tdatamanager.h"
#include "platform/IconList.h"
#include "platform/InMemoryListView.h"
#include "platform/LoopUiThread.h"
#include "tests/doubles/HostDoubles.h"
#include "tests/doubles/ScriptedPrompter.h"

// Everything a TDataManager needs around it in a test: both list views (the medium list sorting
// itself by caption) and the host services.
struct DataManagerFixtureParts {
    InMemoryListView Collection;
    InMemoryListView Medium{true};
    ScriptedPrompter Prompter;
    LoopUiThread UiThread;
    CountingDivisionListener Listener;
    RecordingFileOperations FileOperations;
    PlainIconList Icons;

    TDataManagerHost Host() {
        return TDataManagerHost{Prompter, UiThread, Listener, FileOperations, Icons};
    }
};
