// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes what vantrel-divide reads: its arguments and the unit totals on standard input. The
// input is split at NUL bytes: every piece but the last is one argument, the last is the
// standard input. Small unit lists are also divided, so the parsed values reach the search.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tools/CommandLine.h"
#include "tools/UnitListMode.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// More units than this make the search too slow for a fuzz run.
constexpr std::size_t MaxDividedUnits = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> args;
    std::size_t start = 0;
    for (std::size_t nul = input.find('\0'); nul != std::string_view::npos;
         nul = input.find('\0', start)) {
        args.push_back(input.substr(start, nul - start));
        start = nul + 1;
    }
    const std::string standardInput(input.substr(start));

    const auto parsed = ParseDivideCommand(args);
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        Check(!message->empty());
        return 0;
    }
    const auto& command = std::get<DivideCommand>(parsed);
    switch (command.Mode) {
        case DivideCommand::Kind::Help:
            return 0;
        case DivideCommand::Kind::Collection:
            Check(command.Collection.Division.Capacity > 0 && !command.Collection.Inputs.empty());
            Check(command.Collection.Division.Tolerance >= 80 &&
                  command.Collection.Division.Tolerance <= 100);
            Check(command.Collection.Division.Pause <= 1000);
            Check(command.Collection.Name.find('/') == std::string::npos);
            return 0;  // the collection mode reads the file system, not these bytes
        case DivideCommand::Kind::UnitList:
            break;
    }
    const UnitListOptions& options = command.UnitList;
    Check(options.Capacity > 0 && options.LowBound <= options.Capacity);
    Check(options.MediumTimeLimit >= 0 && options.MediumTimeLimit <= 1e9);

    std::istringstream in(standardInput);
    std::ostringstream err;
    const auto totals = ReadUnitTotals(in, err);
    Check(totals.has_value() == err.str().empty());
    if (!totals || totals->size() > MaxDividedUnits)
        return 0;
    std::istringstream again(standardInput);
    std::ostringstream out;
    const int status = RunUnitList(options, again, out, err);
    Check(status == 0 || status == 1);
    return 0;
}
