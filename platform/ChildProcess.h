// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Running other programs without a shell: every argument reaches the program as it is, so no
// file name can be read as a command.

struct ProcessOutput {
    bool Finished = false;  // it ran and ended by itself within the time allowed
    bool TimedOut = false;  // it ran but was still running when the time was up, and was killed
    int ExitStatus = -1;    // its exit status when it finished
    std::string Output;     // what it wrote to standard output
};

// Runs the program (looked up on PATH when its name holds no delimiter) with an empty standard
// input and standard error discarded, and collects its standard output. A program still running
// when the time is up is killed.
ProcessOutput RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         std::chrono::milliseconds timeLimit);

// Runs the program as RunProcess does, but hands its standard output to the reader piece by
// piece as it comes (and collects it too), and the time limit holds for each wait for a piece: a
// program that keeps writing runs as long as it does. While the program is quiet the reader is
// handed an empty piece every ReadingTick, so that it may stop a wait it no longer wants. The
// reader returning false kills the program at once; it has then neither finished nor timed out.
inline constexpr std::chrono::milliseconds ReadingTick{100};
ProcessOutput RunProcessReading(const std::string& program,
                                const std::vector<std::string>& arguments,
                                std::chrono::milliseconds quietLimit,
                                const std::function<bool(std::string_view piece)>& reader);

// Starts the program (the path as given) in a session of its own, with its standard streams on
// the null device, and does not wait for it; nothing is left behind to be waited for when it
// ends. Its process id, or nothing when it cannot be started.
std::optional<int> StartDetachedProcess(const std::string& program,
                                        const std::vector<std::string>& arguments);

// The full path of the first executable file of that name in the folders of PATH; empty when
// there is none.
std::string FindProgramOnPath(const std::string& name);
