// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/DivisionRequest.h"

#include "collection/Tdatamanager.h"
#include "divide/LowBound.h"

std::uint64_t DivisionRequest::LowBound() const {
    return LowBoundOf(Capacity, Tolerance);
}

std::uint32_t DivisionRequest::SongPause() const {
    return Kind == MusicTracks ? Pause : 0;
}

bool DivisionRequest::CountsDiscFootprint() const {
    return Kind == FilesAndFolders && DiscCount;
}

bool StartDivision(TDataManager& manager, const DivisionRequest& request) {
    manager.SetDivisionMethod(request.Method);
    return manager.PrepareDivision(request.Capacity, request.LowBound(), request.SongPause(),
                                   request.CountsDiscFootprint());
}
