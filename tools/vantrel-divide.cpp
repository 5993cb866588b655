// SPDX-License-Identifier: GPL-3.0-or-later
// vantrel-divide: the division from the command line.
#include <iostream>
#include <string_view>
#include <vector>

#include "tools/CommandLine.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const auto parsed = ParseDivideCommand(std::vector<std::string_view>(argv + 1, argv + argc));
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        std::cerr << "vantrel-divide: " << *message << " (see --help)\n";
        return 2;
    }
    const auto& command = std::get<DivideCommand>(parsed);
    switch (command.Mode) {
        case DivideCommand::Kind::Help:
            std::cout << DivideUsage;
            return 0;
        case DivideCommand::Kind::Folders:
            return RunFolders(command.Folders, std::cout, std::cerr);
        case DivideCommand::Kind::UnitList:
            break;
    }
    return RunUnitList(command.UnitList, std::cin, std::cout, std::cerr);
}
