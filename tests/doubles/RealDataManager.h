// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "collection/Tdatamanager.h"
#include "platform/SystemFileOperations.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/RecordingProgress.h"

// A data manager whose file operations are the real service, writing real files, with the
// fixture's list views, scripted prompter and recording progress around it.
struct RealDataManager {
    DataManagerFixtureParts Parts;
    RecordingProgress Progress;
    SystemFileOperations Operations{Parts.Prompter, Progress};
    TDataManagerHost Host{Parts.Prompter, Parts.UiThread, Parts.Listener, Operations, Parts.Icons};
    TDataManager Manager{Parts.Collection, Parts.Medium, Host};
};
