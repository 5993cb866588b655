// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/UnitListMode.h"

#include <algorithm>
#include <chrono>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "divide/DivisionSearch.h"
#include "divide/FewestMedia.h"
#include "platform/NumberParsing.h"
#include "tools/MinimumText.h"

std::optional<std::vector<std::uint64_t>> ReadUnitTotals(std::istream& in, std::ostream& err) {
    std::vector<std::uint64_t> totals;
    std::string line;
    std::uint64_t lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto total = ParseUnsigned64(line);
        if (!total) {
            err << "vantrel-divide: line " << lineNumber << ": not an unsigned 64-bit decimal: \""
                << line << "\"\n";
            return std::nullopt;
        }
        totals.push_back(*total);
    }
    return totals;
}

std::chrono::steady_clock::duration MediumTimeLimitTicks(double seconds) {
    const auto ticks = std::chrono::ceil<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(seconds));
    return seconds > 0 ? std::max(ticks, std::chrono::steady_clock::duration(1)) : ticks;
}

int RunUnitList(const UnitListOptions& options, std::istream& in, std::ostream& out,
                std::ostream& err) {
    auto read = ReadUnitTotals(in, err);
    if (!read)
        return 2;
    std::vector<std::uint64_t>& totals = *read;

    // Input indices of the units still to place, parallel to the search's totals.
    std::vector<std::uint32_t> inputIndex(totals.size());
    for (std::uint32_t i = 0; i < inputIndex.size(); ++i)
        inputIndex[i] = i;
    std::uint64_t mediumNumber = 0;
    const auto printMedium = [&](const std::vector<std::uint32_t>& units) {
        ++mediumNumber;
        for (std::size_t i = 0; i < units.size(); ++i)
            out << (i == 0 ? "" : " ") << inputIndex[units[i]];
        out << '\n' << std::flush;
    };

    DivisionSearch::Outcome outcome;
    if (options.FewestMedia) {
        FewestMedia fewest(options.Capacity, options.LowBound);
        if (options.MediumTimeLimit > 0)
            fewest.SetTimeLimit(MediumTimeLimitTicks(options.MediumTimeLimit));
        outcome = fewest.Run(
            totals,
            [&](const std::vector<std::uint32_t>& units) {
                printMedium(units);
                RemoveAcceptedUnits(inputIndex, units);
            },
            [] {});
        if (outcome == DivisionSearch::Outcome::Completed)
            err << "vantrel-divide: " << MediaMinimumText(fewest.MediaCount, fewest.LowerBound)
                << '\n';
    } else {
        DivisionSearch search(options.Capacity, options.LowBound);
        search.SetExhaustive(options.Exhaustive);
        if (options.MediumTimeLimit > 0)
            search.SetMediumTimeLimit(MediumTimeLimitTicks(options.MediumTimeLimit));
        outcome = search.Run(
            totals,
            [&](const std::vector<std::uint32_t>& units, const DivisionSearch::MediumStats& stats) {
                printMedium(units);
                if (options.Stats) {
                    err << "medium " << mediumNumber << ": " << stats.UnitsLeft << " units left";
                    for (const auto& pass : stats.Passes)
                        err << "; K=" << pass.ElementCount << ": " << pass.Evaluations
                            << " evaluations";
                    err << '\n';
                }
                RemoveAcceptedUnits(inputIndex, units);
            },
            [] {});
    }
    if (outcome == DivisionSearch::Outcome::Failed) {
        out << "FAILED\n";
        return 1;
    }
    return 0;
}
