// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CommandLine.h"

#include <cstdint>
#include <optional>
#include <string>

#include "platform/NumberParsing.h"

const char* const DivideUsage =
    "Usage: vantrel-divide --capacity C --low-bound L [--exhaustive] [--medium-time-limit S]\n"
    "                      [--stats]\n"
    "       vantrel-divide --capacity C [--tolerance P] PATH...\n"
    "\n"
    "With unit totals: reads one unit total per line from standard input (unsigned 64-bit\n"
    "decimals; the input order is the unit order) and divides the units onto media of capacity\n"
    "C, accepting a medium as soon as its total lies between L and C. Prints one line per\n"
    "medium: the 0-based input indices of its units in ascending order, separated by spaces.\n"
    "When a unit cannot fit on a medium at all, the last line is FAILED.\n"
    "\n"
    "With paths: collects everything in each folder PATH (a file PATH is taken as it is),\n"
    "divides it in bytes onto media of C bytes filled to P percent (80 to 100, default 99.9),\n"
    "and prints per medium the line \"Носитель N\", a tab and its total, then a tab and the\n"
    "path of each of its items. Oversized folders are replaced by their contents and oversized\n"
    "files left out; each such decision is written to standard error.\n"
    "\n"
    "  --capacity C             capacity of one medium (greater than 0)\n"
    "  --low-bound L            fill at which a medium is good enough (at most C)\n"
    "  --tolerance P            fill in percent for the folder mode\n"
    "  --exhaustive             the plain enumeration, without skipping hopeless subtrees\n"
    "  --medium-time-limit S    after S seconds on one medium take the best combination\n"
    "                           found so far (or the first that fits) and go on\n"
    "                           (S above 0, at most 1000000000)\n"
    "  --stats                  per medium on standard error: units left, and per pass the\n"
    "                           element count and the evaluations made\n"
    "  --help                   this text\n"
    "\n"
    "Exit status: 0 when every unit was placed, 1 after FAILED, 2 on bad input.\n";

namespace {

// About 31 years: far beyond any real run, and well inside what the steady clock's nanoseconds
// can hold, so the limit always converts to a clock duration.
constexpr std::int64_t MaxMediumTimeLimit = 1'000'000'000;

}  // namespace

std::variant<DivideCommand, std::string> ParseDivideCommand(
    const std::vector<std::string_view>& args) {
    DivideCommand command;
    std::optional<std::uint64_t> capacity;
    std::optional<std::uint64_t> lowBound;
    std::optional<float> tolerance;
    bool unitOnlyOption = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const std::string name(arg);
        const auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            command.Mode = DivideCommand::Kind::Help;
            return command;
        } else if (arg == "--exhaustive") {
            command.UnitList.Exhaustive = true;
            unitOnlyOption = true;
        } else if (arg == "--stats") {
            command.UnitList.Stats = true;
            unitOnlyOption = true;
        } else if (arg == "--capacity" || arg == "--low-bound") {
            const auto text = value();
            if (!text)
                return name + " needs a value";
            const auto number = ParseUnsigned64(*text);
            if (!number)
                return name + ": not an unsigned 64-bit decimal: \"" + std::string(*text) + "\"";
            (arg == "--capacity" ? capacity : lowBound) = *number;
        } else if (arg == "--tolerance") {
            const auto text = value();
            const auto percent = text ? ParseDecimal(*text) : std::nullopt;
            if (!percent || *percent < 80 || *percent > 100)
                return "--tolerance needs a percentage from 80 to 100";
            tolerance = static_cast<float>(*percent);
        } else if (arg == "--medium-time-limit") {
            const auto text = value();
            const auto seconds = text ? ParseDecimal(*text) : std::nullopt;
            if (!seconds || *seconds <= 0 || *seconds > static_cast<double>(MaxMediumTimeLimit))
                return "--medium-time-limit needs a number of seconds above 0 and at most " +
                       std::to_string(MaxMediumTimeLimit);
            command.UnitList.MediumTimeLimit = *seconds;
            unitOnlyOption = true;
        } else if (arg.starts_with("-") && arg != "-") {
            return "unknown option \"" + name + "\"";
        } else {
            command.Folders.Paths.push_back(name);
        }
    }
    if (!capacity)
        return "missing --capacity";
    if (*capacity == 0)
        return "the capacity must be greater than 0";

    if (!command.Folders.Paths.empty()) {
        if (lowBound || unitOnlyOption)
            return "--low-bound, --exhaustive, --medium-time-limit and --stats work on unit "
                   "totals, not on paths";
        command.Mode = DivideCommand::Kind::Folders;
        command.Folders.Capacity = *capacity;
        if (tolerance)
            command.Folders.Tolerance = *tolerance;
        return command;
    }
    if (tolerance)
        return "--tolerance needs paths to divide";
    if (!lowBound)
        return "missing --low-bound";
    if (*lowBound > *capacity)
        return "the low bound lies above the capacity";
    command.UnitList.Capacity = *capacity;
    command.UnitList.LowBound = *lowBound;
    return command;
}
