// SPDX-License-Identifier: GPL-3.0-or-later
// The strongest priority a thread may have, found the same way on every platform: from the
// position wanted down until the system grants one.
#include <algorithm>
#include <thread>

#include "platform/ThreadPriority.h"

int ApplyStrongestThreadPriority(std::int64_t threadId, int position) {
    position = std::clamp(position, 0, 6);
    // The thread's own position is always granted, so the walk down stops at it at the latest.
    for (int tried = position; tried > 0; --tried) {
        if (ApplyThreadPriority(threadId, tried))
            return tried;
    }
    ApplyThreadPriority(threadId, 0);
    return 0;
}

int StrongestPositionAllowed(int position) {
    int allowed = 0;
    std::thread probe([&allowed, position] {
        allowed = ApplyStrongestThreadPriority(CurrentThreadId(), position);
    });
    probe.join();
    return allowed;
}
