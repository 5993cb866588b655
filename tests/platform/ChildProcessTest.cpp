// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ChildProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

TEST(ChildProcessTest, RunsProgramsWithoutAShellAndWithinTheirTime) {
    struct Case {
        const char* name;
        std::string program;
        std::vector<std::string> arguments;
        bool expectedFinished;
        bool expectedTimedOut;
        int expectedStatus;
        std::string expectedOutput;
    };
    const std::vector<Case> cases = {
        {"arguments reach the program as they are",
         "printf",
         {"%s|", "$(id); x*", "-n"},
         true,
         false,
         0,
         "$(id); x*|-n|"},
        {"exit status", "false", {}, true, false, 1, ""},
        {"no such program", "vantrel-no-such-program", {}, false, false, -1, ""},
        {"killed when the time is up", "sleep", {"30"}, false, true, -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto started = std::chrono::steady_clock::now();
        const ProcessOutput result = RunProcess(c.program, c.arguments, 500ms);
        EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
        EXPECT_EQ(result.Finished, c.expectedFinished);
        // A program that never ran is not a program that hangs.
        EXPECT_EQ(result.TimedOut, c.expectedTimedOut);
        EXPECT_EQ(result.ExitStatus, c.expectedStatus);
        EXPECT_EQ(result.Output, c.expectedOutput);
    }
}

TEST(ChildProcessTest, ADetachedStartReportsWhetherTheProgramRuns) {
    EXPECT_FALSE(StartDetachedProcess("/nonexistent/program", {}));
    const auto pid = StartDetachedProcess(FindProgramOnPath("true"), {});
    EXPECT_TRUE(pid.has_value());
}

}  // namespace
