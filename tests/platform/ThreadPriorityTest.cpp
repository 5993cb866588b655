// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ThreadPriority.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/resource.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <thread>

namespace {

// A position mapped onto the wrong scheduling policy or nice value.
TEST(ThreadPriority, PositionsMapOntoTheThread) {
    const struct {
        int Position;
        int Policy;
        int Nice;
    } cases[] = {
        {0, SCHED_IDLE, 19}, {1, SCHED_OTHER, 10}, {2, SCHED_OTHER, 5}, {3, SCHED_OTHER, 0}};
    for (const auto& expected : cases) {
        std::atomic<bool> applied = false;
        int policy = -1;
        int nice = -100;
        std::thread worker([&] {
            const std::int64_t id = CurrentThreadId();
            applied = ApplyThreadPriority(id, expected.Position);
            policy = ::sched_getscheduler(0);
            errno = 0;
            nice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(id));
        });
        worker.join();
        // Lowering a thread's priority is always allowed.
        ASSERT_TRUE(applied || expected.Position == 3) << expected.Position;
        if (applied) {
            EXPECT_EQ(policy, expected.Policy) << expected.Position;
            EXPECT_EQ(nice, expected.Nice) << expected.Position;
        }
    }
}

}  // namespace
