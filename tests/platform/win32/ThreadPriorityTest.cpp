// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ThreadPriority.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

namespace {

// A position mapped onto the wrong level, a level read back as another position, or a thread
// that cannot go back up after it was lowered.
TEST(Win32ThreadPriority, PositionsAreTheSevenLevels) {
    const int levels[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,
                          THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
                          THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                          THREAD_PRIORITY_TIME_CRITICAL};
    std::thread worker([&levels] {
        const std::int64_t id = CurrentThreadId();
        for (int position : {0, 1, 2, 3, 4, 5, 6, 0, 3}) {
            EXPECT_TRUE(ApplyThreadPriority(id, position)) << position;
            EXPECT_EQ(::GetThreadPriority(::GetCurrentThread()), levels[position]) << position;
            EXPECT_EQ(ThreadPosition(id), position) << position;
        }
    });
    worker.join();
    EXPECT_EQ(StrongestPositionAllowed(6), 6);
}

}  // namespace
