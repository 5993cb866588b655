// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// What the exchange with the player tells while it asks the player for its playlist entry by
// entry, and how the user stops it. It is called on the thread that runs the exchange (the
// user-interface thread), between the player's answers.
class PlayerExchangeProgress {
public:
    virtual ~PlayerExchangeProgress() = default;

    // So many of the playlist's entries have arrived, of all it holds.
    virtual void Received(std::size_t entries, std::size_t total) = 0;
    // True once the user has asked to stop: the exchange ends at once and nothing of what has
    // arrived is used.
    virtual bool CancelRequested() = 0;
};
