// vantrel-divide: the division from the command line.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "NumberParsing.h"
#include "UnitListMode.h"

namespace {

constexpr const char* Usage =
    "Usage: vantrel-divide --capacity C --low-bound L [--exhaustive] [--medium-time-limit S] "
    "[--stats]\n"
    "\n"
    "Reads one unit total per line from standard input (unsigned 64-bit decimals; the input\n"
    "order is the unit order) and divides the units onto media of capacity C, accepting a\n"
    "medium as soon as its total lies between L and C. Prints one line per medium: the 0-based\n"
    "input indices of its units in ascending order, separated by spaces. When a unit cannot fit\n"
    "on a medium at all, the last line is FAILED.\n"
    "\n"
    "  --capacity C             capacity of one medium (greater than 0)\n"
    "  --low-bound L            fill at which a medium is good enough (at most C)\n"
    "  --exhaustive             the plain enumeration, without skipping hopeless subtrees\n"
    "  --medium-time-limit S    after S seconds on one medium take the best combination\n"
    "                           found so far (or the first that fits) and go on\n"
    "  --stats                  per medium on standard error: units left, and per pass the\n"
    "                           element count and the evaluations made\n"
    "  --help                   this text\n"
    "\n"
    "Exit status: 0 when every unit was placed, 1 after FAILED, 2 on bad input.\n";

int BadUsage(const std::string& message) {
    std::cerr << "vantrel-divide: " << message << " (see --help)\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    UnitListOptions options;
    bool haveCapacity = false;
    bool haveLowBound = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            std::cout << Usage;
            return 0;
        } else if (arg == "--exhaustive") {
            options.Exhaustive = true;
        } else if (arg == "--stats") {
            options.Stats = true;
        } else if (arg == "--capacity" || arg == "--low-bound") {
            const auto text = value();
            if (!text)
                return BadUsage(std::string(arg) + " needs a value");
            const auto number = ParseUnsigned64(*text);
            if (!number)
                return BadUsage(std::string(arg) + ": not an unsigned 64-bit decimal: \"" +
                                std::string(*text) + "\"");
            if (arg == "--capacity") {
                options.Capacity = *number;
                haveCapacity = true;
            } else {
                options.LowBound = *number;
                haveLowBound = true;
            }
        } else if (arg == "--medium-time-limit") {
            const auto text = value();
            const auto seconds = text ? ParseDecimal(*text) : std::nullopt;
            if (!seconds || *seconds <= 0)
                return BadUsage("--medium-time-limit needs a number of seconds above 0");
            options.MediumTimeLimit = *seconds;
        } else {
            return BadUsage("unknown option \"" + std::string(arg) + "\"");
        }
    }
    if (!haveCapacity)
        return BadUsage("missing --capacity");
    if (options.Capacity == 0)
        return BadUsage("the capacity must be greater than 0");
    if (!haveLowBound)
        return BadUsage("missing --low-bound");
    if (options.LowBound > options.Capacity)
        return BadUsage("the low bound lies above the capacity");
    return RunUnitList(options, std::cin, std::cout, std::cerr);
}
