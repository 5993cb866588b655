// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <vector>

// The unit-list mode of vantrel-divide: unit totals from a stream, one medium per output line.
struct UnitListOptions {
    std::uint64_t Capacity = 0;
    std::uint64_t LowBound = 0;
    bool Exhaustive = false;
    double MediumTimeLimit = 0;  // seconds; 0: none
    bool Stats = false;
    bool FewestMedia = false;  // the second way of dividing
};

// One unit total per line (unsigned 64-bit decimal, a CR before the line end allowed), in input
// order; nothing after a bad line, which is reported on err.
std::optional<std::vector<std::uint64_t>> ReadUnitTotals(std::istream& in, std::ostream& err);

// The search's limit for a limit in seconds: a positive one is at least one tick of the clock,
// since 0 ticks means no limit at all.
std::chrono::steady_clock::duration MediumTimeLimitTicks(double seconds);

// Runs the division; returns the exit status. Bad input is reported on err with status 2 and
// nothing written to out.
int RunUnitList(const UnitListOptions& options, std::istream& in, std::ostream& out,
                std::ostream& err);
