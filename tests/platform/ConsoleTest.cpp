// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Console.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace {

std::atomic<int> Calls{0};

void CountCall() {
    Calls.fetch_add(1);
}

// Catches SIGTERM or SIGHUP ending the tool at once, leaving its temporaries behind, or a signal
// noted under the wrong number (and so the wrong exit status).
TEST(ConsoleTest, EachStopSignalIsNotedAndGivesItsStatus) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        EXPECT_EXIT(
            {
                CatchConsoleInterrupt(CountCall);
                ::raise(signal);
                ::raise(SIGINT);  // a second signal does not replace the first
                ::_exit(Calls.load() == 2 ? InterruptedExitStatus() - 128 : 99);
            },
            testing::ExitedWithCode(signal), "")
            << "signal " << signal;
    }
}

}  // namespace
