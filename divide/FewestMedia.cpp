// SPDX-License-Identifier: GPL-3.0-or-later
#include "divide/FewestMedia.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <utility>

#include "divide/BinLowerBound.h"

namespace {

// Steps of the search between two looks at the clock and the requests.
constexpr std::uint32_t PollInterval = 1024;
// The completions of one medium tried in the exact search, fullest first.
constexpr std::size_t KeptCompletions = 12;
// The enumeration of one medium's completions gives up after this many steps per size.
constexpr std::uint64_t StepsPerSize = 8;
constexpr std::uint64_t MinimumEnumerationSteps = 20'000;
// The steps the whole search may take (some seconds at most).
constexpr std::uint64_t BaseSteps = 1'000'000;
constexpr std::uint64_t StepsPerUnit = 200'000;
constexpr std::uint64_t MaximumSteps = 20'000'000;

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
        Exact();
        if (IsStopRequested())
            return Outcome::Stopped;
        if (Parking)
            return Outcome::Parked;
        Current = Phase::Deliver;
    }
    return Deliver(totals, deliver);
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

FewestMedia::Found FewestMedia::Complete(std::uint64_t binsLeft, Wide wasteLeft,
                                         std::uint32_t discrepancies) {
    if (Placeable == 0)
        return Found::Yes;
    if (binsLeft == 0)
        return Found::NoneThere;
    if (--PollCountdown == 0 && !Poll())
        return Found::Interrupted;
    if (Steps >= StepCeiling)
        return Found::Cut;
    if (binsLeft < Placeable && Placeable > binsLeft * MostUnitsOnMedium())
        return Found::NoneThere;
    std::uint32_t first = 0;
    while (Available[first] == 0)
        ++first;
    --Available[first];
    --Placeable;
    const std::uint64_t room = Capacity - Sizes[first];
    const std::uint64_t maxSlack = wasteLeft < room ? static_cast<std::uint64_t>(wasteLeft) : room;
    std::vector<Completion> completions;
    Found result = Completions(first, maxSlack, completions) ? Found::NoneThere : Found::Cut;
    for (std::uint32_t i = 0; i < completions.size(); ++i) {
        if (i > discrepancies) {
            result = Found::Cut;
            break;
        }
        const Completion& completion = completions[i];
        for (const auto& [size, count] : completion.Sizes) {
            Available[size] -= count;
            Placeable -= count;
        }
        Stack.emplace_back(first, completion);
        const Found found =
            Complete(binsLeft - 1, wasteLeft - (Capacity - completion.Fill), discrepancies - i);
        if (found == Found::Yes)
            return found;
        Stack.pop_back();
        for (const auto& [size, count] : completion.Sizes) {
            Available[size] += count;
            Placeable += count;
        }
        if (found == Found::Interrupted) {
            result = found;
            break;
        }
        if (found == Found::Cut)
            result = found;
    }
    ++Available[first];
    ++Placeable;
    return result;
}

std::uint64_t FewestMedia::MostUnitsOnMedium() const {
    std::uint64_t room = Capacity;
    std::uint64_t units = 0;
    for (std::size_t i = Sizes.size(); i-- > 0;) {
        const std::uint64_t fit = std::min<std::uint64_t>(Available[i], room / Sizes[i]);
        units += fit;
        room -= fit * Sizes[i];
        if (fit < Available[i])
            break;
    }
    return units;
}

bool FewestMedia::Completions(std::uint32_t first, std::uint64_t maxSlack,
                              std::vector<Completion>& out) {
    const std::size_t sizeCount = Sizes.size();
    SuffixRoom[sizeCount] = 0;
    for (std::size_t i = sizeCount; i-- > first;)
        SuffixRoom[i] =
            SaturatingAdd(SuffixRoom[i + 1],
                          Available[i] > Capacity / Sizes[i] ? Capacity : Available[i] * Sizes[i]);
    Out = &out;
    MaxSlack = maxSlack;
    EnumerationSteps = std::max(MinimumEnumerationSteps, StepsPerSize * (sizeCount - first));
    LeftOut = false;
    Chosen.clear();
    SmallestAvailable = 0;
    for (std::size_t i = sizeCount; i-- > first;)
        if (Available[i] != 0) {
            SmallestAvailable = Sizes[i];
            break;
        }
    if (SmallestAvailable == 0)
        SmallestAvailable = Capacity + 1;  // none left: nothing more fits
    Enumerate(first, Capacity - Sizes[first], std::numeric_limits<std::uint64_t>::max());
    return !LeftOut;
}

bool FewestMedia::EnumerationFull() const {
    // Enough completions that fill the medium: none can be better.
    return Out->size() == KeptCompletions && Out->back().Fill == Capacity;
}

void FewestMedia::Record(std::uint64_t room) {
    const std::uint64_t fill = Capacity - room;
    std::vector<Completion>& out = *Out;
    if (out.size() == KeptCompletions && out.back().Fill >= fill) {
        LeftOut = true;
        return;
    }
    const auto place = std::upper_bound(
        out.begin(), out.end(), fill,
        [](std::uint64_t value, const Completion& kept) { return value > kept.Fill; });
    out.insert(place, Completion{fill, Chosen});
    if (out.size() > KeptCompletions) {
        out.pop_back();
        LeftOut = true;
    }
}

void FewestMedia::Enumerate(std::uint32_t index, std::uint64_t room, std::uint64_t smallestLeft) {
    ++Steps;
    if (EnumerationSteps == 0) {
        LeftOut = true;
        return;
    }
    --EnumerationSteps;
    // Sizes that do not fit any more stay out; they cannot fit the room left at the end either.
    const auto sizeCount = static_cast<std::uint32_t>(Sizes.size());
    while (index < sizeCount && (Available[index] == 0 || Sizes[index] > room))
        ++index;
    if (index == sizeCount || room == 0) {
        // Only completions that no left-out unit fits into: any other is one unit short.
        if (room <= MaxSlack && room < smallestLeft)
            Record(room);
        return;
    }
    if (room > MaxSlack && SuffixRoom[index] < room - MaxSlack)
        return;  // even every unit left cannot fill the medium well enough
    if (room / 2 < SmallestAvailable) {
        // One more unit at most: the sizes that fit and fill well enough, largest first; what
        // is left then is below the smallest unit, so each of them is maximal.
        const std::uint64_t least = room > MaxSlack ? room - MaxSlack : 0;
        for (; index < sizeCount && Sizes[index] >= least && !EnumerationFull(); ++index) {
            if (Available[index] == 0)
                continue;
            Chosen.emplace_back(index, 1U);
            Record(room - Sizes[index]);
            Chosen.pop_back();
        }
        return;
    }
    const std::uint64_t size = Sizes[index];
    const std::uint64_t take = std::min<std::uint64_t>(Available[index], room / size);
    for (std::uint64_t count = take + 1; count-- > 0;) {
        if (count > 0)
            Chosen.emplace_back(index, static_cast<std::uint32_t>(count));
        Enumerate(index + 1, room - count * size, count < Available[index] ? size : smallestLeft);
        if (count > 0)
            Chosen.pop_back();
        if (EnumerationSteps == 0 || EnumerationFull())
            return;
    }
}

FewestMedia::Found FewestMedia::SearchMedia(std::uint64_t media) {
    const Wide room = static_cast<Wide>(media) * Capacity;
    StepCeiling = StepLimit;
    if (room < TotalSize)
        return Found::NoneThere;
    // Limited discrepancies: the fullest completion everywhere first, then more and more
    // departures from it, until a pass is cut by nothing but the discrepancies.
    for (std::uint32_t discrepancies = 0;;
         discrepancies = discrepancies == 0 ? 1 : 2 * discrepancies) {
        const Found found = Complete(media, room - TotalSize, discrepancies);
        if (found != Found::Cut || Steps >= StepLimit)
            return found;
        if (discrepancies >= media * KeptCompletions)
            return found;
    }
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

void FewestMedia::Exact() {
    PollCountdown = PollInterval;
    while (Best.size() > LowerBound) {
        const Found found = SearchMedia(LowerBound);
        if (found == Found::Yes)
            Keep(TakeStackedBins(UnitsOfSize));
        else if (found == Found::NoneThere)
            ++LowerBound;  // the search ran through: that many media cannot hold the units
        else
            break;
    }
}

bool FewestMedia::TimeUp() const {
    return TimeLimit.count() > 0 && std::chrono::steady_clock::now() - Started >= TimeLimit;
}

bool FewestMedia::Poll() {
    PollCountdown = PollInterval;
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
