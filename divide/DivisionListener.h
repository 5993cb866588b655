// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The window's side of a division. Every call runs on the user-interface thread.
class DivisionListener {
public:
    virtual ~DivisionListener() = default;
    // A medium was appended to the data manager's Media.
    virtual void addResultMedium() = 0;
    // The search's progress; the first argument is -1 while it runs.
    virtual void ShowDivisionProgress(std::int32_t mediaEstimate, std::uint32_t elementCount,
                                      std::uint64_t combinationCount, std::uint32_t unitsLeft) = 0;
    // The worker has ended, for whatever reason.
    virtual void DivisionEnded() = 0;
};
