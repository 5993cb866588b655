// SPDX-License-Identifier: GPL-3.0-or-later
#include "divide/FewestMedia.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <utility>

#include "divide/BinLowerBound.h"
#include "divide/PatternBound.h"

namespace {

// Media tried, or steps, of the search between two looks at the clock and the requests.
constexpr std::uint32_t PollInterval = 1024;
constexpr std::uint64_t PollSteps = 50'000;
// The steps the whole search may take (some seconds at most).
constexpr std::uint64_t BaseSteps = 1'000'000;
constexpr std::uint64_t StepsPerUnit = 200'000;
constexpr std::uint64_t MaximumSteps = 20'000'000;
// The share of the steps the exact search gets when the improvement does not reach the bound
// at once.
constexpr std::uint64_t ProofShare = 32;

}  // namespace

FewestMedia::FewestMedia(std::uint64_t capacity, std::uint64_t lowBound)
    : Capacity(capacity),
      LowBoundValue(std::min(lowBound, capacity)),
      Reference(capacity, lowBound) {}

void FewestMedia::RequestStop() {
    StopRequested.store(true, std::memory_order_relaxed);
    Reference.RequestStop();
}

void FewestMedia::RequestPark() {
    ParkRequested.store(true, std::memory_order_relaxed);
    Reference.RequestPark();
}

FewestMedia::Outcome FewestMedia::Run(std::vector<std::uint64_t>& totals, const DeliverFn& deliver,
                                      const ProgressFn& reportProgress) {
    Report = &reportProgress;
    PollCountdown = PollInterval;
    PollStep = Steps + PollSteps;
    Parking = false;
    if (Current == Phase::Start) {
        if (std::any_of(totals.begin(), totals.end(),
                        [this](std::uint64_t total) { return total > Capacity; }))
            return Outcome::Failed;
        Started = std::chrono::steady_clock::now();
        StepLimit = std::min(MaximumSteps, BaseSteps + StepsPerUnit * totals.size());
        Prepare(totals);
        LowerBound = BinLowerBound(totals, Capacity);
        Keep(FirstFitDecreasing());
        // Minimum bin slack: every medium in turn the fullest completion, no limit on media.
        if (Best.size() > LowerBound &&
            Complete(std::numeric_limits<std::uint64_t>::max(), ~Wide{0}, 0) == Found::Yes)
            Keep(TakeStackedBins(UnitsOfSize));
        Current = Phase::Improve;
    }
    if (Current == Phase::Improve) {
        Improve();
        if (IsStopRequested())
            return Outcome::Stopped;
        if (Parking)
            return Outcome::Parked;
        Current = Phase::Compare;
    }
    if (Current == Phase::Compare) {
        if (Best.size() > LowerBound && !TakeBestRequested.load(std::memory_order_relaxed) &&
            !Compare(reportProgress))
            return IsStopRequested() ? Outcome::Stopped : Outcome::Parked;
        Current = Phase::Exact;
    }
    if (Current == Phase::Exact) {
        Exact(StepLimit, ~std::uint64_t{0});
        if (IsStopRequested())
            return Outcome::Stopped;
        if (Parking)
            return Outcome::Parked;
        Current = Phase::Deliver;
    }
    return Deliver(totals, deliver);
}

void FewestMedia::Prove() {
    ProofTried = true;
    std::vector<std::uint32_t> counts;
    for (const auto& units : UnitsOfSize)
        counts.push_back(static_cast<std::uint32_t>(units.size()));
    LowerBound = static_cast<std::uint32_t>(std::max<std::uint64_t>(
        LowerBound, PatternLowerBound(Sizes, counts, Capacity, LowerBound, Best.size())));
    Exact(Steps + StepLimit / ProofShare, 1);
}

void FewestMedia::Prepare(const std::vector<std::uint64_t>& totals) {
    OriginalTotals = totals;
    SizeIndexOf.assign(totals.size(), 0);
    std::vector<std::uint32_t> order(totals.size());
    std::iota(order.begin(), order.end(), 0U);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return totals[a] > totals[b]; });
    for (const std::uint32_t unit : order) {
        const std::uint64_t size = totals[unit];
        TotalSize += size;
        if (size == 0) {
            ZeroUnits.push_back(unit);
            continue;
        }
        if (Sizes.empty() || Sizes.back() != size) {
            Sizes.push_back(size);
            UnitsOfSize.emplace_back();
        }
        UnitsOfSize.back().push_back(unit);
        SizeIndexOf[unit] = static_cast<std::uint32_t>(Sizes.size() - 1);
    }
    Available.resize(Sizes.size());
    SubUnits.resize(Sizes.size());
    for (std::size_t i = 0; i < Sizes.size(); ++i)
        Available[i] = static_cast<std::uint32_t>(UnitsOfSize[i].size());
    Placeable = totals.size() - ZeroUnits.size();
    SuffixRoom.resize(Sizes.size() + 1);
}

FewestMedia::Bins FewestMedia::FirstFitDecreasing() const {
    Bins bins;
    std::vector<std::uint64_t> free;
    for (std::size_t i = 0; i < Sizes.size(); ++i) {
        for (const std::uint32_t unit : UnitsOfSize[i]) {
            std::size_t bin = 0;
            while (bin < free.size() && free[bin] < Sizes[i])
                ++bin;
            if (bin == free.size()) {
                bins.emplace_back();
                free.push_back(Capacity);
            }
            bins[bin].push_back(unit);
            free[bin] -= Sizes[i];
        }
    }
    return bins;
}

FewestMedia::Bins FewestMedia::TakeStackedBins(
    const std::vector<std::vector<std::uint32_t>>& unitsOfSize) {
    std::vector<std::uint32_t> next(Sizes.size(), 0);  // the next unit of each size to place
    Bins bins;
    for (const auto& [first, completion] : Stack) {
        std::vector<std::uint32_t> bin{unitsOfSize[first][next[first]++]};
        for (const auto& [size, count] : completion.Sizes)
            for (std::uint32_t i = 0; i < count; ++i)
                bin.push_back(unitsOfSize[size][next[size]++]);
        bins.push_back(std::move(bin));
    }
    Stack.clear();
    SetAvailable(UnitsOfSize);
    return bins;
}

void FewestMedia::SetAvailable(const std::vector<std::vector<std::uint32_t>>& unitsOfSize) {
    Placeable = 0;
    for (std::size_t i = 0; i < Sizes.size(); ++i) {
        Available[i] = static_cast<std::uint32_t>(unitsOfSize[i].size());
        Placeable += Available[i];
    }
}

void FewestMedia::Keep(Bins bins, bool withZeroUnits) {
    // Units of total 0 need no room: they go with the last medium.
    if (!withZeroUnits) {
        if (bins.empty())
            bins.emplace_back();
        bins.back().insert(bins.back().end(), ZeroUnits.begin(), ZeroUnits.end());
    }
    if (Best.empty() || bins.size() < Best.size())
        Best = std::move(bins);
    ElementCount = static_cast<std::uint32_t>(Best.size());
}

bool FewestMedia::Compare(const ProgressFn& reportProgress) {
    if (ReferenceUnits.empty()) {
        ReferenceTotals.clear();
        ReferenceBins.clear();
        for (const auto& units : UnitsOfSize)
            ReferenceUnits.insert(ReferenceUnits.end(), units.begin(), units.end());
        ReferenceUnits.insert(ReferenceUnits.end(), ZeroUnits.begin(), ZeroUnits.end());
        std::sort(ReferenceUnits.begin(), ReferenceUnits.end());
        ReferenceTotals = OriginalTotals;
        if (TimeLimit.count() > 0)
            Reference.SetMediumTimeLimit(TimeLimit);
    }
    // The progress callback is asked for at every look the search takes at its requests, so
    // that the requests made here reach it.
    Reference.RequestProgress();
    const auto outcome = Reference.Run(
        ReferenceTotals,
        [this](const std::vector<std::uint32_t>& units, const DivisionSearch::MediumStats&) {
            std::vector<std::uint32_t> bin;
            for (const std::uint32_t unit : units)
                bin.push_back(ReferenceUnits[unit]);
            ReferenceBins.push_back(std::move(bin));
            RemoveAcceptedUnits(ReferenceUnits, units);
        },
        [this, &reportProgress] {
            Reference.RequestProgress();
            if (ProgressRequested.exchange(false, std::memory_order_relaxed)) {
                UnitsLeft = static_cast<std::uint32_t>(ReferenceUnits.size());
                CombinationCount = Reference.CombinationCount;
                reportProgress();
            }
            if (TakeBestRequested.load(std::memory_order_relaxed) || TimeUp())
                Reference.RequestStop();
        });
    if (outcome == Outcome::Parked)
        return false;
    if (outcome == Outcome::Completed)
        Keep(std::move(ReferenceBins), true);
    ReferenceUnits.clear();
    return !IsStopRequested();
}

bool FewestMedia::TimeUp() const {
    return TimeLimit.count() > 0 && std::chrono::steady_clock::now() - Started >= TimeLimit;
}

bool FewestMedia::Poll() {
    PollCountdown = PollInterval;
    PollStep = Steps + PollSteps;
    if (ProgressRequested.exchange(false, std::memory_order_relaxed)) {
        UnitsLeft = static_cast<std::uint32_t>(Placeable + ZeroUnits.size());
        CombinationCount = Steps;
        (*Report)();
    }
    if (ParkRequested.exchange(false, std::memory_order_relaxed))
        Parking = true;
    return !Ending();
}

bool FewestMedia::Ending() const {
    return Parking || IsStopRequested() || TakeBestRequested.load(std::memory_order_relaxed) ||
           TimeUp();
}

void FewestMedia::Arrange(Bins& bins) const {
    const auto sizeOf = [this](std::uint32_t unit) { return OriginalTotals[unit]; };
    std::vector<std::uint64_t> load(bins.size(), 0);
    const auto sortByLoad = [&] {
        std::vector<std::size_t> order(bins.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return load[a] > load[b]; });
        Bins sorted;
        std::vector<std::uint64_t> sortedLoad;
        for (const std::size_t i : order) {
            if (bins[i].empty())
                continue;
            sorted.push_back(std::move(bins[i]));
            sortedLoad.push_back(load[i]);
        }
        bins = std::move(sorted);
        load = std::move(sortedLoad);
    };
    for (std::size_t i = 0; i < bins.size(); ++i)
        for (const std::uint32_t unit : bins[i])
            load[i] += sizeOf(unit);
    sortByLoad();
    // Each medium in turn takes what fits of the units of the media after it, the last first,
    // so that the first media are the fullest and the last takes the rest.
    for (std::size_t i = 0; i < bins.size(); ++i) {
        for (std::size_t j = bins.size(); j-- > i + 1 && load[i] < Capacity;) {
            auto& from = bins[j];
            for (std::size_t k = 0; k < from.size();) {
                const std::uint64_t size = sizeOf(from[k]);
                if (size <= Capacity - load[i]) {
                    bins[i].push_back(from[k]);
                    load[i] += size;
                    load[j] -= size;
                    from.erase(from.begin() + static_cast<std::ptrdiff_t>(k));
                } else {
                    ++k;
                }
            }
        }
    }
    sortByLoad();
    for (auto& bin : bins)
        std::sort(bin.begin(), bin.end());
}

FewestMedia::Outcome FewestMedia::Deliver(std::vector<std::uint64_t>& totals,
                                          const DeliverFn& deliver) {
    Arrange(Best);
    MediaCount = static_cast<std::uint32_t>(Best.size());
    // The units still to deliver, by their index in the totals as given; a medium's units are
    // found by their place among them.
    std::vector<std::uint32_t> remaining(totals.size());
    std::iota(remaining.begin(), remaining.end(), 0U);
    std::vector<std::uint32_t> units;
    for (const auto& bin : Best) {
        units.clear();
        std::size_t at = 0;
        for (const std::uint32_t unit : bin) {
            while (remaining[at] != unit)
                ++at;
            units.push_back(static_cast<std::uint32_t>(at));
        }
        deliver(units);
        RemoveAcceptedUnits(totals, units);
        RemoveAcceptedUnits(remaining, units);
        if (IsStopRequested())
            return Outcome::Stopped;
    }
    return Outcome::Completed;
}
