// SPDX-License-Identifier: GPL-3.0-or-later
// vantrel-divide: the division from the command line.
#include <iostream>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "tools/CommandLine.h"
#include "tools/InterruptSignals.h"

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
            CatchInterrupts();
            const CollectionStreams streams{std::cin, std::cout, std::cerr,
                                            ::isatty(STDERR_FILENO) == 1,
                                            [] { return InterruptSignal() != 0; }};
            const int status = RunCollection(command.Collection, streams);
            return status == ExitInterrupted ? InterruptedStatus() : status;
        }
        case DivideCommand::Kind::UnitList:
            break;
    }
    return RunUnitList(command.UnitList, std::cin, std::cout, std::cerr);
}
