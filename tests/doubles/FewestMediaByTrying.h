// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

// The fewest media the totals need, by trying every placement (a dozen units at most): each
// unit, the largest first, onto every medium it fits whose load differs from the ones before,
// or onto a new one, while fewer media than the best found are open.
inline std::uint32_t FewestMediaByTrying(std::vector<std::uint64_t> totals,
                                         std::uint64_t capacity) {
    std::sort(totals.rbegin(), totals.rend());
    std::uint32_t best = static_cast<std::uint32_t>(totals.size());
    std::vector<std::uint64_t> loads;
    std::function<void(std::size_t)> place = [&](std::size_t unit) {
        if (loads.size() >= best)
            return;
        if (unit == totals.size()) {
            best = static_cast<std::uint32_t>(loads.size());
            return;
        }
        for (std::size_t medium = 0; medium < loads.size(); ++medium) {
            if (totals[unit] > capacity - loads[medium] ||
                std::find(loads.begin(), loads.begin() + static_cast<std::ptrdiff_t>(medium),
                          loads[medium]) != loads.begin() + static_cast<std::ptrdiff_t>(medium))
                continue;
            loads[medium] += totals[unit];
            place(unit + 1);
            loads[medium] -= totals[unit];
        }
        loads.push_back(totals[unit]);
        place(unit + 1);
        loads.pop_back();
    };
    place(0);
    return best;
}

// Small sets of totals for comparing with the above: 4 to 12 units of 1 up to the capacity
// (20 to 119), from a plain LCG so that every run checks the same sets.
struct SmallSet {
    std::vector<std::uint64_t> Totals;
    std::uint64_t Capacity = 0;
};

inline std::vector<SmallSet> SmallSets(std::size_t count) {
    std::uint64_t state = 1;
    const auto next = [&state](std::uint64_t below) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return (state >> 33) % below;
    };
    std::vector<SmallSet> sets(count);
    for (SmallSet& set : sets) {
        set.Capacity = 20 + next(100);
        for (std::uint64_t i = 4 + next(9); i > 0; --i)
            set.Totals.push_back(1 + next(set.Capacity));
    }
    return sets;
}
