// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "collection/DivisionLimits.h"
#include "divide/DivisionMethod.h"
#include "items/CollectionKind.h"

class TDataManager;

// A division as the Division page and vantrel-divide ask for it, with the window's defaults.
struct DivisionRequest {
    CollectionKind Kind = FilesAndFolders;
    std::uint64_t Capacity = 0;              // bytes, or hundredths of a second of music
    float Tolerance = DefaultTolerance;      // percent a medium is filled to at least
    std::uint32_t Pause = DefaultSongPause;  // hundredths after every track; music only
    bool DiscCount = false;  // files count as what they take on a disc image; files only
    DivisionMethod Method = DivisionMethod::FillEachMedium;

    // The total at which a medium is full enough.
    std::uint64_t LowBound() const;
    // The pause in force: none for files.
    std::uint32_t SongPause() const;
    // Whether the disc count is in force: for files only.
    bool CountsDiscFootprint() const;
};

// Runs the fit checks and starts the division the request asks for; false when nothing was
// started (see TDataManager::PrepareDivision).
bool StartDivision(TDataManager& manager, const DivisionRequest& request);
