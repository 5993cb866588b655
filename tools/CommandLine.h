// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tools/CollectionMode.h"
#include "tools/UnitListMode.h"

// What the command line of vantrel-divide asks for.
struct DivideCommand {
    enum class Kind { Help, UnitList, Collection };
    Kind Mode = Kind::UnitList;
    UnitListOptions UnitList;
    CollectionOptions Collection;
};

// The command, or a one-line message naming what is wrong with the arguments.
std::variant<DivideCommand, std::string> ParseDivideCommand(
    const std::vector<std::string_view>& args);

extern const char* const DivideUsage;
