// SPDX-License-Identifier: GPL-3.0-or-later
#include "divide/DivisionSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Media = std::vector<std::vector<std::uint64_t>>;

struct Division {
    Media media;  // totals of each medium's units, in unit order
    DivisionSearch::Outcome outcome;
    std::vector<std::uint64_t> left;
};

Division Divide(std::vector<std::uint64_t> totals, std::uint64_t capacity, std::uint64_t lowBound,
                bool exhaustive) {
    DivisionSearch search(capacity, lowBound);
    search.SetExhaustive(exhaustive);
    Division result;
    const auto deliver = [&](const std::vector<std::uint32_t>& units,
                             const DivisionSearch::MediumStats&) {
        std::vector<std::uint64_t> medium;
        for (const auto unit : units)
            medium.push_back(totals[unit]);
        result.media.push_back(medium);
    };
    result.outcome = search.Run(totals, deliver, [] {});
    result.left = totals;
    return result;
}

// Input indices of each medium, for comparing the two searches exactly.
std::vector<std::vector<std::uint32_t>> DivideIndices(const std::vector<std::uint64_t>& input,
                                                      std::uint64_t capacity,
                                                      std::uint64_t lowBound, bool exhaustive,
                                                      DivisionSearch::Outcome& outcome,
                                                      std::uint64_t tableSteps = 2) {
    std::vector<std::uint64_t> totals = input;
    std::vector<std::uint32_t> index(input.size());
    for (std::uint32_t i = 0; i < index.size(); ++i)
        index[i] = i;
    std::vector<std::vector<std::uint32_t>> media;
    DivisionSearch search(capacity, lowBound);
    search.SetExhaustive(exhaustive);
    search.SetTableStepsPerEntry(tableSteps);
    outcome = search.Run(
        totals,
        [&](const std::vector<std::uint32_t>& units, const DivisionSearch::MediumStats&) {
            std::vector<std::uint32_t> medium;
            for (const auto unit : units)
                medium.push_back(index[unit]);
            media.push_back(medium);
            RemoveAcceptedUnits(index, units);
        },
        [] {});
    return media;
}

struct Example {
    const char* name;
    std::vector<std::uint64_t> units;
    std::uint64_t capacity;
    std::uint64_t lowBound;
    Media media;
};

class DivisionExamples : public ::testing::TestWithParam<Example> {};

TEST_P(DivisionExamples, DeliversTheDefinedMedia) {
    const Example& example = GetParam();
    for (const bool exhaustive : {true, false}) {
        const Division division =
            Divide(example.units, example.capacity, example.lowBound, exhaustive);
        EXPECT_EQ(division.media, example.media) << (exhaustive ? "plain" : "accelerated");
        EXPECT_EQ(division.outcome, DivisionSearch::Outcome::Completed);
        EXPECT_TRUE(division.left.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Search, DivisionExamples,
    ::testing::Values(
        Example{"PrefixReachesBound", {600, 500, 100, 90}, 700, 699, {{600, 100}, {500, 90}}},
        Example{"RaisedPassFindsNothing", {700, 10, 10, 10}, 700, 699, {{10, 10, 10}, {700}}},
        Example{"BestRisesUntilBound",
                {300, 300, 300, 350, 350},
                700,
                699,
                {{350, 350}, {300, 300}, {300}}},
        Example{"LoweredToSingles", {350, 351}, 700, 699, {{351}, {350}}},
        Example{"ZeroUnitLeadsPrefix", {0, 5, 700}, 700, 699, {{0, 700}, {5}}},
        Example{"EstimateCutToCount", {100, 100, 100}, 700, 699, {{100, 100, 100}}},
        Example{"OnePerMedium", {400, 400, 400}, 700, 699, {{400}, {400}, {400}}},
        Example{"FourOfFive", {250, 250, 250, 250, 250}, 1000, 999, {{250, 250, 250, 250}, {250}}},
        Example{"BelowBoundStillDelivered", {100, 200}, 700, 699, {{100, 200}}},
        Example{"FirstOfEqualTotalsWins", {10, 20, 30, 25, 5}, 100, 99, {{10, 20, 30, 25, 5}}},
        Example{"AllZero", {0, 0, 0}, 700, 699, {{0, 0, 0}}},
        Example{"ZerosAfterPlacing", {700, 0, 0}, 700, 699, {{700, 0, 0}}},
        Example{"TinyAverage", {0, 0, 0, 0, 1}, 700, 699, {{0, 0, 0, 0, 1}}},
        Example{"Empty", {}, 700, 699, {}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(DivisionSearch, EqualTotalsKeepTheFirstCombination) {
    // Pairs (1, 3) and (2, 3) both total 600; the first one found stays the best.
    const Division division = Divide({100, 300, 300, 300}, 700, 699, false);
    ASSERT_FALSE(division.media.empty());
    EXPECT_EQ(division.media.front(), (std::vector<std::uint64_t>{100, 300, 300}));
}

TEST(DivisionSearch, FailsWhenNoUnitFits) {
    for (const bool exhaustive : {true, false}) {
        const Division division = Divide({100, 800, 200}, 700, 699, exhaustive);
        EXPECT_EQ(division.outcome, DivisionSearch::Outcome::Failed);
        EXPECT_EQ(division.media, (Media{{100, 200}}));
        EXPECT_EQ(division.left, (std::vector<std::uint64_t>{800}));
    }
}

TEST(DivisionSearch, NeverWrapsRoundOnHugeTotals) {
    const std::uint64_t half = std::uint64_t{1} << 63;
    const Division division = Divide({half, half, 5}, UINT64_MAX, UINT64_MAX - 10, false);
    EXPECT_EQ(division.outcome, DivisionSearch::Outcome::Completed);
    for (const auto& medium : division.media) {
        std::uint64_t sum = 0;
        for (const auto unit : medium) {
            ASSERT_LE(unit, UINT64_MAX - sum);
            sum += unit;
        }
    }
    EXPECT_EQ(division.media.size(), 2u);
}

TEST(DivisionSearch, StopBeforeFirstMediumDeliversNothing) {
    DivisionSearch search(700, 699);
    std::vector<std::uint64_t> totals{300, 300, 300};
    search.RequestStop();
    int delivered = 0;
    const auto outcome = search.Run(
        totals, [&](const auto&, const auto&) { ++delivered; }, [] {});
    EXPECT_EQ(outcome, DivisionSearch::Outcome::Stopped);
    EXPECT_EQ(delivered, 0);
    EXPECT_EQ(totals, (std::vector<std::uint64_t>{300, 300, 300}));
}

TEST(DivisionSearch, StopAfterFirstMediumKeepsTheRestInOrder) {
    DivisionSearch search(700, 699);
    std::vector<std::uint64_t> totals{400, 400, 300, 200};
    int delivered = 0;
    const auto outcome = search.Run(
        totals,
        [&](const auto&, const auto&) {
            ++delivered;
            search.RequestStop();
        },
        [] {});
    EXPECT_EQ(outcome, DivisionSearch::Outcome::Stopped);
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(totals, (std::vector<std::uint64_t>{400, 200}));
}

TEST(DivisionSearch, ProgressReportShowsAtLeastOneEvaluation) {
    DivisionSearch search(700, 699);
    std::vector<std::uint64_t> totals{600, 500, 100, 90};
    search.RequestProgress();
    std::vector<std::uint64_t> counts;
    search.Run(
        totals, [](const auto&, const auto&) {},
        [&] {
            counts.push_back(search.CombinationCount);
            EXPECT_EQ(search.UnitsLeft, 4u);
            EXPECT_EQ(search.ElementCount, 2u);
        });
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_GE(counts[0], 1u);
}

TEST(DivisionSearch, ProgressRequestedDuringAReportIsNotLost) {
    DivisionSearch search(700, 699);
    std::vector<std::uint64_t> totals{300, 300, 300, 350, 350};
    search.RequestProgress();
    int reports = 0;
    search.Run(
        totals, [](const auto&, const auto&) {},
        [&] {
            if (++reports == 1)
                search.RequestProgress();  // the timer ticks while the first report is shown
        });
    EXPECT_EQ(reports, 2);
}

TEST(DivisionSearch, TakeBestDeliversTheFirstFittingCombination) {
    for (const bool takeBest : {false, true}) {
        DivisionSearch search(1000, 1000);
        std::vector<std::uint64_t> totals{300, 50, 300, 300, 340};
        const std::vector<std::uint64_t> input = totals;
        std::vector<std::vector<std::uint64_t>> media;
        search.RequestProgress();
        search.Run(
            totals,
            [&](const std::vector<std::uint32_t>& units, const auto&) {
                std::vector<std::uint64_t> medium;
                for (auto unit : units)
                    medium.push_back(totals[unit]);
                media.push_back(medium);
            },
            [&] {
                if (takeBest)
                    search.RequestTakeBest();
            });
        ASSERT_FALSE(media.empty());
        if (takeBest)
            EXPECT_EQ(media.front(), (std::vector<std::uint64_t>{300, 50, 300}));
        else
            EXPECT_EQ(media.front(), (std::vector<std::uint64_t>{300, 50, 300, 340}));
    }
}

// A press of "take the best" that comes before the search has begun is not lost: it holds for
// the first medium, and the next medium is searched in full again.
TEST(DivisionSearch, TakeBestMadeBeforeTheSearchBeganHoldsForTheFirstMedium) {
    DivisionSearch search(1000, 1000);
    std::vector<std::uint64_t> totals{300, 50, 300, 300, 340, 300, 50, 300, 300, 340};
    std::vector<std::size_t> passes;
    search.RequestTakeBest();
    search.Run(
        totals,
        [&](const std::vector<std::uint32_t>&, const DivisionSearch::MediumStats& stats) {
            passes.push_back(stats.Passes.size());
        },
        [] {});
    ASSERT_GE(passes.size(), 2U);
    EXPECT_EQ(passes[0], 1U);
    EXPECT_GT(passes[1], 1U);
}

// The accelerated search must deliver exactly the media of the plain enumeration: with the bound
// tables from the first step, and built only once a search runs long.
void ExpectSameMedia(const std::vector<std::uint64_t>& units, std::uint64_t capacity,
                     std::uint64_t lowBound) {
    DivisionSearch::Outcome plainOutcome;
    const auto plain = DivideIndices(units, capacity, lowBound, true, plainOutcome);
    for (const std::uint64_t tableSteps : {0, 2}) {
        DivisionSearch::Outcome fastOutcome;
        const auto fast = DivideIndices(units, capacity, lowBound, false, fastOutcome, tableSteps);
        ASSERT_EQ(plain, fast) << "table steps " << tableSteps;
        ASSERT_EQ(plainOutcome, fastOutcome) << "table steps " << tableSteps;
    }
}

void ExpectAgreementOnRandomInputs(std::uint64_t seed, int rounds, int maxCount) {
    std::mt19937_64 random(seed);
    for (int round = 0; round < rounds; ++round) {
        const std::uint64_t capacity = std::uniform_int_distribution<std::uint64_t>(
            1, round % 3 == 0 ? 1000 : (std::uint64_t{1} << 40))(random);
        const double tolerance = std::uniform_real_distribution<double>(80.0, 100.0)(random);
        const auto lowBound =
            static_cast<std::uint64_t>(static_cast<long double>(capacity) * tolerance * 0.01L);
        const int count = std::uniform_int_distribution<int>(0, maxCount)(random);
        std::vector<std::uint64_t> units;
        const int shape = round % 6;
        for (int i = 0; i < count; ++i) {
            std::uint64_t unit;
            switch (shape) {
                case 0:  // zeros and duplicates
                    unit = std::uniform_int_distribution<int>(0, 3)(random) * (capacity / 4);
                    break;
                case 1:  // near the capacity
                    unit = capacity -
                           std::uniform_int_distribution<std::uint64_t>(0, capacity / 10)(random);
                    break;
                case 2:  // small
                    unit = std::uniform_int_distribution<std::uint64_t>(0, capacity / 5)(random);
                    break;
                case 3:  // many per medium, widely spread: long searches
                    unit = capacity / std::uniform_int_distribution<std::uint64_t>(3, 40)(random);
                    break;
                default:
                    unit = std::uniform_int_distribution<std::uint64_t>(0, capacity)(random);
            }
            if (!units.empty() && std::uniform_int_distribution<int>(0, 5)(random) == 0)
                unit =
                    units[std::uniform_int_distribution<std::size_t>(0, units.size() - 1)(random)];
            units.push_back(unit);
        }
        ASSERT_NO_FATAL_FAILURE(ExpectSameMedia(units, capacity, lowBound))
            << "seed " << seed << " round " << round;
    }
}

TEST(DivisionSearch, AcceleratedAgreesWithPlainOnRandomInputs) {
    ExpectAgreementOnRandomInputs(20261209, 4000, 14);
}

TEST(DivisionSearch, AcceleratedAgreesWithPlainOnLongerSearches) {
    ExpectAgreementOnRandomInputs(4711, 300, 26);
}

// Catches a skip of equal totals that changes a medium: a prefix accepted on a later equal unit, a
// later equal combination taken over the first, a subtree skipped under another prefix.
TEST(DivisionSearch, AcceleratedAgreesWithPlainOnEqualTotals) {
    std::mt19937_64 random(30);
    const auto pick = [&](std::uint64_t low, std::uint64_t high) {
        return std::uniform_int_distribution<std::uint64_t>(low, high)(random);
    };
    for (int round = 0; round < 3000; ++round) {
        const std::uint64_t capacity = pick(20, round % 2 == 0 ? 200 : 1000000);
        // From the capacity down to a fraction of it, so that some media reach the bound at once
        // and others never do.
        const std::uint64_t lowBound = capacity - pick(0, capacity / (round % 3 == 0 ? 2 : 50));
        const int count = static_cast<int>(pick(1, 22));
        // A few sizes a medium holds several of; runs of equal units or sizes in any order.
        std::vector<std::uint64_t> sizes(pick(1, 3));
        for (auto& size : sizes)
            size = pick(0, capacity / pick(2, 8));
        const int shape = round % 3;
        std::vector<std::uint64_t> units;
        for (int i = 0; i < count; ++i) {
            if (shape == 0)  // all equal, or a few equal groups in runs
                units.push_back(sizes[static_cast<std::size_t>(i) * sizes.size() / count]);
            else if (shape == 1)  // few distinct sizes in any order
                units.push_back(sizes[pick(0, sizes.size() - 1)]);
            else  // equal groups among sizes of their own
                units.push_back(pick(0, 1) == 0 ? sizes[pick(0, sizes.size() - 1)]
                                                : pick(0, capacity));
        }
        ASSERT_NO_FATAL_FAILURE(ExpectSameMedia(units, capacity, lowBound)) << "round " << round;
    }
}

// Each medium's units (input indices) and the evaluations of each of its passes.
struct Trace {
    std::vector<std::vector<std::uint32_t>> Media;
    std::vector<std::vector<std::uint64_t>> Evaluations;
    DivisionSearch::Outcome Outcome = DivisionSearch::Outcome::Completed;
    bool operator==(const Trace&) const = default;
};

// parkEvery: a park is requested before every Run and at every progress report, so the search
// parks at nearly every look at the requests.
Trace TraceDivision(const std::vector<std::uint64_t>& input, std::uint64_t capacity,
                    std::uint64_t lowBound, bool exhaustive, bool parkEvery, int& parks) {
    std::vector<std::uint64_t> totals = input;
    std::vector<std::uint32_t> index(input.size());
    for (std::uint32_t i = 0; i < index.size(); ++i)
        index[i] = i;
    Trace trace;
    DivisionSearch search(capacity, lowBound);
    search.SetExhaustive(exhaustive);
    const auto deliver = [&](const std::vector<std::uint32_t>& units,
                             const DivisionSearch::MediumStats& stats) {
        std::vector<std::uint32_t> medium;
        for (const auto unit : units)
            medium.push_back(index[unit]);
        trace.Media.push_back(medium);
        trace.Evaluations.emplace_back();
        for (const auto& pass : stats.Passes)
            trace.Evaluations.back().push_back(pass.Evaluations);
        RemoveAcceptedUnits(index, units);
    };
    const auto progress = [&] {
        if (parkEvery)
            search.RequestPark();
    };
    do {
        if (parkEvery)
            search.RequestPark();
        trace.Outcome = search.Run(totals, deliver, progress);
        parks += trace.Outcome == DivisionSearch::Outcome::Parked ? 1 : 0;
    } while (trace.Outcome == DivisionSearch::Outcome::Parked);
    return trace;
}

TEST(DivisionSearch, AParkedSearchGoesOnExactlyWhereItWas) {
    std::mt19937_64 random(8);
    int parks = 0;
    for (int round = 0; round < 24; ++round) {
        const std::uint64_t capacity = 1000000001;
        std::vector<std::uint64_t> units;
        const int count = std::uniform_int_distribution<int>(10, 28)(random);
        for (int i = 0; i < count; ++i)
            units.push_back(capacity / std::uniform_int_distribution<std::uint64_t>(3, 12)(random) +
                            std::uniform_int_distribution<std::uint64_t>(0, 999)(random));
        const std::uint64_t lowBound = capacity - (round % 2 == 0 ? 0 : capacity / 2000);
        for (const bool exhaustive : {true, false}) {
            int unused = 0;
            const Trace straight =
                TraceDivision(units, capacity, lowBound, exhaustive, false, unused);
            const Trace parked = TraceDivision(units, capacity, lowBound, exhaustive, true, parks);
            ASSERT_EQ(straight, parked) << "round " << round << (exhaustive ? " plain" : "");
        }
    }
    EXPECT_GT(parks, 1000);  // the comparison is about searches that really parked
}

}  // namespace
