// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ChildProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>
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

// A long answer given steadily used to be cut at the time limit of the whole call, and a reader
// that no longer wanted the answer had to wait for it; a program that goes quiet still ends the
// wait after the limit.
TEST(ChildProcessTest, AReadingRunLastsWhileTheProgramAnswersAndStopsWhenTheReaderSays) {
    struct Case {
        const char* name;
        std::string script;
        bool stopAtFirstPiece;
        bool expectedFinished;
        bool expectedTimedOut;
        std::string expectedPieces;
    };
    const std::vector<Case> cases = {
        {"answers for longer than the limit, never quiet for as long",
         "for i in 1 2 3 4 5 6; do echo $i; sleep 0.2; done", false, true, false,
         "1\n2\n3\n4\n5\n6\n"},
        {"goes quiet", "echo 1; sleep 30", false, false, true, "1\n"},
        {"the reader stops it", "echo 1; sleep 30", true, false, false, "1\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string pieces;
        const auto started = std::chrono::steady_clock::now();
        const ProcessOutput result =
            RunProcessReading("sh", {"-c", c.script}, 500ms, [&](std::string_view piece) {
                pieces += piece;
                return !(c.stopAtFirstPiece && !pieces.empty());
            });
        EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
        EXPECT_EQ(result.Finished, c.expectedFinished);
        EXPECT_EQ(result.TimedOut, c.expectedTimedOut);
        EXPECT_EQ(pieces, c.expectedPieces);
        EXPECT_EQ(result.Output, c.expectedPieces);
    }
}

TEST(ChildProcessTest, ADetachedStartReportsWhetherTheProgramRuns) {
    EXPECT_FALSE(StartDetachedProcess("/nonexistent/program", {}));
    const auto pid = StartDetachedProcess(FindProgramOnPath("true"), {});
    EXPECT_TRUE(pid.has_value());
}

}  // namespace
