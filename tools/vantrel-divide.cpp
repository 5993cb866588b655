// SPDX-License-Identifier: GPL-3.0-or-later
// vantrel-divide: the division from the command line.
#include <atomic>
#include <iostream>
#include <string_view>
#include <vector>

#include <signal.h>
#include <unistd.h>

#include "tools/CommandLine.h"

namespace {

// Set by Ctrl+C; the run looks at it between steps and stops cleanly.
std::atomic<bool> Interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnInterrupt(int) {
    Interrupted.store(true);
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const auto parsed = ParseDivideCommand(std::vector<std::string_view>(argv + 1, argv + argc));
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        std::cerr << "vantrel-divide: " << *message << " (see --help)\n";
        return ExitBadInput;
    }
    const auto& command = std::get<DivideCommand>(parsed);
    switch (command.Mode) {
        case DivideCommand::Kind::Help:
            std::cout << DivideUsage;
            return ExitPlaced;
        case DivideCommand::Kind::Collection: {
            // Interrupted system calls restart: the run notices Ctrl+C between its steps, and no
            // read or write in the middle of a file fails because of it.
            struct sigaction action = {};
            action.sa_handler = OnInterrupt;
            action.sa_flags = SA_RESTART;
            sigemptyset(&action.sa_mask);
            ::sigaction(SIGINT, &action, nullptr);
            const CollectionStreams streams{std::cin, std::cout, std::cerr,
                                            ::isatty(STDERR_FILENO) == 1,
                                            [] { return Interrupted.load(); }};
            return RunCollection(command.Collection, streams);
        }
        case DivideCommand::Kind::UnitList:
            break;
    }
    return RunUnitList(command.UnitList, std::cin, std::cout, std::cerr);
}
