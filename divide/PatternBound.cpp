// SPDX-License-Identifier: GPL-3.0-or-later
#include "divide/PatternBound.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Beyond this many distinct sizes the bound is not computed (each pivot takes their square).
constexpr std::size_t MostSizes = 250;
// The steps of the search for one pattern and of all of them, and the pivots per size.
constexpr std::uint64_t MostPatternSteps = 200'000;
constexpr std::uint64_t MostSteps = 1'000'000;
constexpr std::size_t PivotsPerSize = 20;
// Prices and worths closer than this count as equal.
constexpr double Tolerance = 1e-9;
// The rounding error the bound allows for, relative to it: far above what the sums of a few
// hundred prices can gather, far below the fraction a bound above L2 is found by.
constexpr double BoundTolerance = 1e-7;

// The pattern of the greatest worth at the given prices: a branch and bound over the sizes of a
// positive price, the best price per byte first, bounded by filling the room left with them in
// that order, the last one in part.
class BestPattern {
public:
    BestPattern(const std::vector<std::uint64_t>& sizes, const std::vector<std::uint32_t>& counts,
                std::uint64_t capacity, const std::vector<double>& prices)
        : Sizes(sizes),
          Counts(counts),
          Capacity(capacity),
          Prices(prices),
          Current(sizes.size(), 0) {
        for (std::size_t i = 0; i < sizes.size(); ++i)
            if (prices[i] > 0)
                Order.push_back(i);
        std::sort(Order.begin(), Order.end(), [&](std::size_t a, std::size_t b) {
            return prices[a] / static_cast<double>(sizes[a]) >
                   prices[b] / static_cast<double>(sizes[b]);
        });
        Pattern = Current;
    }

    // false when the search ran out of steps: the pattern found may then not be the best.
    bool Run() {
        Branch(0, Capacity, 0);
        return Steps <= MostPatternSteps;
    }

    std::uint64_t Steps = 0;

    double Worth = 0;
    std::vector<std::uint32_t> Pattern;  // the units of each size

private:
    void Branch(std::size_t at, std::uint64_t room, double worth) {
        if (++Steps > MostPatternSteps)
            return;
        if (worth > Worth) {
            Worth = worth;
            Pattern = Current;
        }
        if (at == Order.size() || worth + Estimate(at, room) <= Worth)
            return;
        const std::size_t size = Order[at];
        const std::uint64_t most = std::min<std::uint64_t>(Counts[size], room / Sizes[size]);
        for (std::uint64_t count = most + 1; count-- > 0 && Steps <= MostPatternSteps;) {
            Current[size] = static_cast<std::uint32_t>(count);
            Branch(at + 1, room - count * Sizes[size],
                   worth + static_cast<double>(count) * Prices[size]);
        }
        Current[size] = 0;
    }

    // The most the sizes from at on can add in the room, fractions of units allowed.
    double Estimate(std::size_t at, std::uint64_t room) const {
        double worth = 0;
        for (; at < Order.size(); ++at) {
            const std::size_t size = Order[at];
            const std::uint64_t whole = std::min<std::uint64_t>(Counts[size], room / Sizes[size]);
            worth += static_cast<double>(whole) * Prices[size];
            room -= whole * Sizes[size];
            if (whole < Counts[size])
                return worth +
                       Prices[size] * static_cast<double>(room) / static_cast<double>(Sizes[size]);
        }
        return worth;
    }

    const std::vector<std::uint64_t>& Sizes;
    const std::vector<std::uint32_t>& Counts;
    const std::uint64_t Capacity;
    const std::vector<double>& Prices;
    std::vector<std::size_t> Order;
    std::vector<std::uint32_t> Current;
};

// The bound the prices prove: divided by the worth of the best pattern at them (all below zero
// taken as zero), no medium holds more than 1, so the units' worth is at most the media they
// need. 0 where the best pattern is not known.
std::uint64_t ProvenBound(const std::vector<std::uint32_t>& counts,
                          const std::vector<double>& prices, const BestPattern& best,
                          bool complete) {
    if (!complete || best.Worth <= 0)
        return 0;
    double worth = 0;
    for (std::size_t i = 0; i < counts.size(); ++i)
        worth += counts[i] * std::max(prices[i], 0.0);
    const double bound = worth / best.Worth;
    return static_cast<std::uint64_t>(
        std::max(0.0, std::ceil(bound - BoundTolerance * std::max(1.0, bound))));
}

// The relaxation as a revised simplex over the media of each pattern, covering the count of
// every size (a size may be covered more: its surplus is a column too). The basis starts with
// one pattern per size, as many units of it as fit.
class Relaxation {
public:
    Relaxation(const std::vector<std::uint64_t>& sizes, const std::vector<std::uint32_t>& counts,
               std::uint64_t capacity)
        : Sizes(sizes),
          Counts(counts),
          Capacity(capacity),
          Rows(sizes.size()),
          Inverse(Rows * Rows, 0),
          Values(Rows),
          Costs(Rows, 1),
          Prices(Rows) {
        for (std::size_t i = 0; i < Rows; ++i) {
            const double units =
                static_cast<double>(std::min<std::uint64_t>(counts[i], capacity / sizes[i]));
            Inverse[i * Rows + i] = 1 / units;
            Values[i] = counts[i] / units;
        }
    }

    // The best bound proven on the way, which stops once it reaches wanted or the media of
    // the patterns in the basis are known or fewer (the bound cannot pass them).
    std::uint64_t Solve(std::uint64_t known, std::uint64_t wanted) {
        std::uint64_t proven = 0;
        std::uint64_t steps = 0;
        for (std::size_t pivot = 0; pivot < PivotsPerSize * Rows + 100 && steps < MostSteps;
             ++pivot) {
            double media = 0;
            for (std::size_t i = 0; i < Rows; ++i)
                media += Costs[i] * Values[i];
            if (media <= static_cast<double>(known) + Tolerance)
                break;
            UpdatePrices();
            std::vector<double> column(Rows, 0);
            double cost = 1;
            BestPattern best(Sizes, Counts, Capacity, Prices);
            const bool complete = best.Run();
            steps += best.Steps;
            proven = std::max(proven, ProvenBound(Counts, Prices, best, complete));
            if (proven >= wanted)
                break;
            if (best.Worth > 1 + Tolerance) {
                for (std::size_t i = 0; i < Rows; ++i)
                    column[i] = best.Pattern[i];
            } else {
                // A size covered at a negative price: its surplus enters.
                const auto lowest = std::min_element(Prices.begin(), Prices.end());
                if (*lowest >= -Tolerance)
                    break;
                column[static_cast<std::size_t>(lowest - Prices.begin())] = -1;
                cost = 0;
            }
            if (!Enter(column, cost))
                break;
        }
        return proven;
    }

private:
    void UpdatePrices() {
        for (std::size_t j = 0; j < Rows; ++j) {
            double price = 0;
            for (std::size_t i = 0; i < Rows; ++i)
                price += Costs[i] * Inverse[i * Rows + j];
            Prices[j] = price;
        }
    }

    // false where no basic column can leave (which the relaxation, bounded below, never has).
    bool Enter(const std::vector<double>& column, double cost) {
        std::vector<double> direction(Rows, 0);
        for (std::size_t i = 0; i < Rows; ++i)
            for (std::size_t j = 0; j < Rows; ++j)
                direction[i] += Inverse[i * Rows + j] * column[j];
        std::size_t leaving = Rows;
        double step = 0;
        for (std::size_t i = 0; i < Rows; ++i)
            if (direction[i] > Tolerance) {
                const double ratio = std::max(0.0, Values[i]) / direction[i];
                if (leaving == Rows || ratio < step) {
                    leaving = i;
                    step = ratio;
                }
            }
        if (leaving == Rows)
            return false;
        for (std::size_t i = 0; i < Rows; ++i)
            Values[i] -= step * direction[i];
        Values[leaving] = step;
        const double pivot = direction[leaving];
        double* const pivotRow = &Inverse[leaving * Rows];
        for (std::size_t j = 0; j < Rows; ++j)
            pivotRow[j] /= pivot;
        for (std::size_t i = 0; i < Rows; ++i) {
            if (i == leaving || direction[i] == 0)
                continue;
            double* const row = &Inverse[i * Rows];
            for (std::size_t j = 0; j < Rows; ++j)
                row[j] -= direction[i] * pivotRow[j];
        }
        Costs[leaving] = cost;
        return true;
    }

    const std::vector<std::uint64_t>& Sizes;
    const std::vector<std::uint32_t>& Counts;
    const std::uint64_t Capacity;
    const std::size_t Rows;
    std::vector<double> Inverse;  // of the basis, by rows
    std::vector<double> Values;   // of the basic columns
    std::vector<double> Costs;    // of the basic columns: 1 for a pattern, 0 for a surplus
    std::vector<double> Prices;
};

}  // namespace

std::uint64_t PatternLowerBound(const std::vector<std::uint64_t>& sizes,
                                const std::vector<std::uint32_t>& counts, std::uint64_t capacity,
                                std::uint64_t known, std::uint64_t wanted) {
    if (sizes.empty() || sizes.size() > MostSizes)
        return 0;
    return Relaxation(sizes, counts, capacity).Solve(known, wanted);
}
