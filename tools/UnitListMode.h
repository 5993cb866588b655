#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>

// The unit-list mode of vantrel-divide: unit totals from a stream, one medium per output line.
struct UnitListOptions {
    std::uint64_t Capacity = 0;
    std::uint64_t LowBound = 0;
    bool Exhaustive = false;
    double MediumTimeLimit = 0;  // seconds; 0: none
    bool Stats = false;
};

// Runs the division; returns the exit status. Bad input is reported on err with status 2 and
// nothing written to out.
int RunUnitList(const UnitListOptions& options, std::istream& in, std::ostream& out,
                std::ostream& err);
