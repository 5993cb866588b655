// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The window's side of a division. Every call runs on the user-interface thread. It stands with
// the value types so that the division thread can call it and the window implement it without the
// window seeing the division.
class DivisionListener {
public:
    virtual ~DivisionListener() = default;
    // A medium was appended to the data manager's Media.
    virtual void addResultMedium() = 0;
    // The progress display: medium -1, the running search's progress (elements of count units
    // left, combinations evaluated); 0, reset (count: the collection's items); above 0, the media
    // found so far.
    virtual void ShowDivisionProgress(std::int32_t medium, std::uint32_t elements,
                                      std::uint64_t combinations, std::uint32_t count) = 0;
    // The worker has ended, for whatever reason.
    virtual void DivisionEnded() = 0;
};
