// SPDX-License-Identifier: GPL-3.0-or-later
// vantrel-divide: the division from the command line.
#include <atomic>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Console.h"
#include "tools/CommandLine.h"

namespace {

// Set by Ctrl+C, SIGTERM or SIGHUP; the run looks at it between steps and stops cleanly.
std::atomic<bool> Interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void OnInterrupt() {
    Interrupted.store(true);
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments = ConsoleArguments(argc, argv);
    const auto parsed =
        ParseDivideCommand(std::vector<std::string_view>(arguments.begin(), arguments.end()));
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
            // The run notices Ctrl+C between its steps.
            CatchConsoleInterrupt(OnInterrupt);
            const CollectionStreams streams{std::cin, std::cout, std::cerr, PrepareStatusTerminal(),
                                            [] { return Interrupted.load(); }};
            const int status = RunCollection(command.Collection, streams);
            return status == ExitInterrupted ? InterruptedExitStatus() : status;
        }
        case DivideCommand::Kind::UnitList:
            break;
    }
    return RunUnitList(command.UnitList, std::cin, std::cout, std::cerr);
}
