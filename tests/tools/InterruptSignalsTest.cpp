// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/InterruptSignals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

namespace {

// Catches SIGTERM or SIGHUP ending the tool at once, leaving its temporaries behind, or a signal
// noted under the wrong number (and so the wrong exit status).
TEST(InterruptSignalsTest, EachStopSignalIsNotedAndGivesItsStatus) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        EXPECT_EXIT(
            {
                CatchInterrupts();
                ::raise(signal);
                ::raise(SIGINT);  // a second signal does not replace the first
                ::_exit(InterruptSignal() == signal ? InterruptedStatus() - 128 : 99);
            },
            testing::ExitedWithCode(signal), "")
            << "signal " << signal;
    }
}

}  // namespace
