// SPDX-License-Identifier: GPL-3.0-or-later
#include "divide/DivisionSearch.h"

#include <algorithm>
#include <utility>

namespace {

// Between two looks at the clock and the requests while the search only skips candidates.
constexpr std::uint32_t PollInterval = 4096;

// Above this many entries per table the bounds fall back to m times the suffix maximum or
// minimum, which needs no table.
constexpr std::size_t MaxTableEntries = std::size_t{1} << 22;

// The subtrees a pass remembers having entered, at most.
constexpr std::size_t MaxEnteredRemembered = std::size_t{1} << 18;

std::uint64_t SaturatingMultiply(std::uint64_t value, std::uint32_t factor) {
    if (factor != 0 && value > UINT64_MAX / factor)
        return UINT64_MAX;
    return value * factor;
}

}  // namespace

DivisionSearch::DivisionSearch(std::uint64_t capacity, std::uint64_t lowBound)
    : Capacity(capacity), LowBound(std::min(lowBound, capacity)) {}

std::uint32_t DivisionSearch::EstimateElementCount(const WideSum& total,
                                                   std::uint32_t unitCount) const {
    // The total is exact however large; the average of 64-bit totals fits 64 bits again.
    const std::uint64_t average = total.Quotient(unitCount);
    // Units that average below one take every remaining unit: with one per pass a collection of
    // nearly empty items could end in the failure although everything fits.
    if (average == 0)
        return unitCount;
    // The quotient keeps only its low 32 bits.
    auto count = static_cast<std::uint32_t>(Capacity / average);
    if (count == 0)
        count = 1;
    else if (count > unitCount)
        count = unitCount;
    return count;
}

DivisionSearch::Outcome DivisionSearch::Run(std::vector<std::uint64_t>& totals,
                                            const DeliverFn& deliver,
                                            const ProgressFn& reportProgress) {
    Totals = &totals;
    // A parked search goes on inside the pass loop of its medium; everything it needs there is
    // held by the object, so the thread that goes on does not matter.
    bool resume = std::exchange(Parked.Active, false);
    std::vector<std::uint32_t> medium;
    while (true) {
        medium.clear();
        if (!resume) {
            UnitCount = static_cast<std::uint32_t>(totals.size());
            UnitsLeft = UnitCount;
            if (UnitCount == 0)
                return Outcome::Completed;
            WideSum total;
            for (const std::uint64_t unit : totals)
                total.Add(unit);
            Stats.UnitsLeft = UnitCount;
            Stats.Passes.clear();
            if (total.IsZero()) {
                // Units of total 0 never improve on an empty medium, so the search could not
                // place them: they travel together on one last medium.
                for (std::uint32_t unit = 0; unit < UnitCount; ++unit)
                    medium.push_back(unit);
                deliver(medium, Stats);
                RemoveAcceptedUnits(totals, medium);
                continue;
            }
            PassCount = EstimateElementCount(total, UnitCount);
            BestSize = 0;
            Best.clear();
            BestTopCount = 0;
            TimeUp = false;
            MediumStart = std::chrono::steady_clock::now();
            PollCountdown = PollInterval;
            BoundWidth = 0;
            UseSuffixExtremes = false;
            if (!Exhaustive)
                BuildSuffixTables();
            Raised = false;
            Lowered = false;
        }
        while (true) {
            const PassEnd end = RunPass(PassCount, reportProgress, std::exchange(resume, false));
            if (end == PassEnd::Parked) {
                Parked.Active = true;
                return Outcome::Parked;
            }
            Stats.Passes.push_back({PassCount, CombinationCount});
            if (end == PassEnd::Stopped)
                return Outcome::Stopped;
            if (end == PassEnd::Accepted)
                break;
            if (end == PassEnd::Improved) {
                if (Lowered || PassCount >= UnitCount || TakeBestNow())
                    break;
                Raised = true;
                ++PassCount;
            } else {
                if (Raised || (TakeBestNow() && !Best.empty()))
                    break;
                if (PassCount == 1)
                    return Outcome::Failed;
                Lowered = true;
                --PassCount;
            }
        }
        CompleteBest();
        // A request to take the best is for the medium being searched, including one made
        // before its search began; the next medium starts without it.
        TakeBestRequested.store(false, std::memory_order_relaxed);
        medium = Best;
        deliver(medium, Stats);
        RemoveAcceptedUnits(totals, medium);
    }
}

bool DivisionSearch::TakeBestNow() const {
    return TimeUp || TakeBestRequested.load(std::memory_order_relaxed);
}

bool DivisionSearch::Poll(const ProgressFn& reportProgress) {
    PollCountdown = PollInterval;
    if (StopRequested.load(std::memory_order_relaxed))
        return false;
    // Taken before the report, as at an evaluation.
    if (ProgressRequested.exchange(false, std::memory_order_relaxed))
        reportProgress();
    if (MediumTimeLimit.count() > 0 && !TimeUp &&
        std::chrono::steady_clock::now() - MediumStart >= MediumTimeLimit)
        TimeUp = true;
    return true;
}

std::optional<DivisionSearch::PassEnd> DivisionSearch::EndAtPoll(const ProgressFn& reportProgress,
                                                                 const ParkedPass& place) {
    if (!Poll(reportProgress))
        return PassEnd::Stopped;
    if (TakeBestNow() && !Best.empty())
        return PassEnd::Accepted;
    if (TakeParkRequest()) {
        Parked = place;
        return PassEnd::Parked;
    }
    return std::nullopt;
}

void DivisionSearch::StartPass(std::uint32_t count) {
    ElementCount = count;
    CombinationCount = 0;
    PassSteps = 0;
    // Tables built for an earlier pass of this medium serve while they are wide enough.
    TablesBuilt = UseSuffixExtremes || BoundWidth + 1 >= count;
    Combination.resize(count);
    Entered.resize(count);
    for (auto& entered : Entered)
        entered.clear();
    EnteredCount = 0;
    Prefix.resize(count + 1);
    Overflowed.assign(count + 1, 0);
    for (std::uint32_t j = 0; j < count; ++j)
        Combination[j] = j;
    Prefix[0] = 0;
    Prefix[1] = (*Totals)[0];
}

// Inlined into the pass's loop: as calls they cost the search a third of its speed.
[[gnu::always_inline]] inline bool DivisionSearch::EvaluateCompletion(
    std::uint32_t from, bool& improved, const ProgressFn& reportProgress) {
    const std::uint64_t* const total = Totals->data();
    const std::uint32_t count = ElementCount;
    std::uint32_t* const c = Combination.data();
    std::uint64_t* const prefix = Prefix.data();
    std::uint8_t* const overflowed = Overflowed.data();
    ++CombinationCount;
    if (StopRequested.load(std::memory_order_relaxed)) {
        EndOfPass = PassEnd::Stopped;
        return true;
    }
    // Taken before the report: a request made while it is shown asks for the next one. The plain
    // load keeps the exchange out of the loop between requests.
    if (ProgressRequested.load(std::memory_order_relaxed) &&
        ProgressRequested.exchange(false, std::memory_order_relaxed))
        reportProgress();
    for (std::uint32_t j = from + 1; j < count; ++j) {
        c[j] = c[j - 1] + 1;
        // A completion may run past the largest value; it is marked, never taken as small.
        const bool carry = AddOverflows(prefix[j], total[c[j]], prefix[j + 1]);
        overflowed[j + 1] = overflowed[j] | static_cast<std::uint8_t>(carry);
    }
    const std::uint64_t sum = prefix[count];
    if (sum > BestSize && sum <= Capacity && !overflowed[count]) {
        BestSize = sum;
        Best.assign(c, c + count);
        BestTopCount = 0;
        improved = true;
        if (sum >= LowBound || count == UnitCount || TakeBestNow()) {
            EndOfPass = PassEnd::Accepted;
            return true;
        }
    }
    if (--PollCountdown == 0)
        if (const auto end = EndAtPoll(reportProgress, {true, false, 0, 0, improved})) {
            EndOfPass = *end;
            return true;
        }
    return false;
}

[[gnu::always_inline]] inline DivisionSearch::Advance DivisionSearch::AdvancePosition(
    std::uint32_t position, std::uint32_t resumeValue, bool& improved,
    const ProgressFn& reportProgress) {
    const std::uint64_t* const total = Totals->data();
    const std::uint32_t count = ElementCount;
    const std::uint32_t units = UnitCount;
    std::uint32_t* const c = Combination.data();
    const std::uint32_t last = units - count + position;
    const std::uint64_t before = Prefix[position];
    if (c[position] == last || before > Capacity || Overflowed[position])
        return Advance::NoneLeft;
    const std::uint64_t room = Capacity - before;
    for (std::uint32_t value = resumeValue != 0 ? resumeValue : c[position] + 1; value <= last;
         ++value) {
        if (--PollCountdown == 0)
            if (const auto end =
                    EndAtPoll(reportProgress, {true, true, position, value, improved})) {
                EndOfPass = *end;
                return Advance::Ended;
            }
        if (!TablesBuilt && ++PassSteps > TableStepsPerEntry * units * count)
            BuildBoundTables(count);
        const std::uint64_t unit = total[value];
        if (unit > room) {
            // Nothing from here on fits after this prefix: leave the position at once.
            if (!Exhaustive && SuffixMin[value] > room)
                break;
            continue;
        }
        const std::uint64_t withValue = before + unit;
        if (withValue >= LowBound) {
            c[position] = value;
            Best.assign(c, c + position + 1);
            BestTopCount = 0;
            BestSize = withValue;
            EndOfPass = PassEnd::Accepted;
            return Advance::Ended;
        }
        // The unit before this one was tried at this position under this prefix (the position
        // holds it, or it was a candidate). If it has the same total, this unit leads only to
        // totals already reached, and later (every completion after it is one after the earlier
        // unit as well): nothing there can improve or be accepted. So is the rest of the run of
        // that total.
        if (!Exhaustive && unit == total[value - 1]) {
            value = RunEnd[value] - 1;
            continue;
        }
        if (!Exhaustive && position + 1 < count) {
            const SubtreeKind kind = ClassifySubtree(position, value, withValue);
            if (kind == SubtreeKind::Hopeless)
                continue;
            if (kind == SubtreeKind::BestIsItsMaximum) {
                TakeSubtreeMaximum(position, value, withValue);
                improved = true;
                continue;
            }
            if (TablesBuilt && EnteredBefore(position, withValue, value))
                continue;
        }
        c[position] = value;
        Prefix[position + 1] = withValue;
        Overflowed[position + 1] = 0;
        return Advance::Moved;
    }
    return Advance::NoneLeft;
}

DivisionSearch::PassEnd DivisionSearch::RunPass(std::uint32_t elementCount,
                                                const ProgressFn& reportProgress, bool resume) {
    bool improved = resume && Parked.Improved;
    if (!resume)
        StartPass(elementCount);
    // k is signed because the advance moves it one below the first position to end the pass.
    std::int64_t k = 0;
    // A pass parked after an evaluation goes on with the advance; one parked in the advance goes
    // on at the candidate it was about to look at.
    bool skipEvaluation = resume;
    bool resumeInAdvance = resume && Parked.InAdvance;
    while (true) {
        if (!std::exchange(skipEvaluation, false) &&
            EvaluateCompletion(static_cast<std::uint32_t>(k), improved, reportProgress))
            return EndOfPass;
        // Advance to the next combination in lexicographic order that is worth evaluating.
        k = static_cast<std::int64_t>(elementCount) - 1;
        std::uint32_t resumeValue = 0;  // 0: none, every candidate is above the first unit
        if (std::exchange(resumeInAdvance, false)) {
            k = Parked.Position;
            resumeValue = Parked.Value;
        }
        for (;; --k) {
            if (k < 0)
                return improved ? PassEnd::Improved : PassEnd::NotImproved;
            const Advance next =
                AdvancePosition(static_cast<std::uint32_t>(k), std::exchange(resumeValue, 0),
                                improved, reportProgress);
            if (next == Advance::Ended)
                return EndOfPass;
            if (next == Advance::Moved)
                break;
        }
    }
}

DivisionSearch::SubtreeKind DivisionSearch::ClassifySubtree(std::uint32_t position,
                                                            std::uint32_t value,
                                                            std::uint64_t totalWithValue) const {
    // Positions position+1 .. count-1 are still free among the units after value.
    const std::uint32_t free = ElementCount - 1 - position;
    const std::uint32_t next = value + 1;
    // No further unit fits: neither a completion nor a longer prefix can be taken.
    if (SaturatingAdd(totalWithValue, SuffixMin[next]) > Capacity)
        return SubtreeKind::Hopeless;
    if (!TablesBuilt)
        return SubtreeKind::Explore;
    const bool exact = !UseSuffixExtremes;
    const std::uint64_t largest = LargestSum(next, free);
    const std::uint64_t highest = SaturatingAdd(totalWithValue, largest);
    // No completion fits, and no longer prefix short of a completion reaches the low bound.
    if (SaturatingAdd(totalWithValue, SaturatingMultiply(SuffixMin[next], free)) > Capacity &&
        SaturatingAdd(totalWithValue, LargestSum(next, free - 1)) < LowBound)
        return SubtreeKind::Hopeless;
    // Every prefix in the subtree totals at most its highest completion.
    if (highest < LowBound) {
        // Nothing here can be accepted, and everything fits (the low bound is within the
        // capacity). Enumerating the subtree would only raise the best, step by step, to the
        // subtree's maximum, reached first by the largest units with the lowest indices.
        if (highest <= BestSize)
            return SubtreeKind::Hopeless;
        return exact ? SubtreeKind::BestIsItsMaximum : SubtreeKind::Explore;
    }
    return SubtreeKind::Explore;
}

bool DivisionSearch::EnteredBefore(std::uint32_t position, std::uint64_t total,
                                   std::uint32_t value) {
    // A subtree entered earlier in this pass at the same position with the same total, from the
    // same unit or an earlier one, has been enumerated to its end by now. Every combination and
    // prefix below this one has a twin there (this unit replaced by that one) with the same total,
    // enumerated earlier and checked at least as often: nothing here can improve or be accepted.
    const auto [place, added] = Entered[position].try_emplace(total, value);
    if (!added) {
        if (place->second <= value)
            return true;
        place->second = value;
    } else if (++EnteredCount > MaxEnteredRemembered) {
        // Forgetting only costs skips.
        for (auto& entered : Entered)
            entered.clear();
        EnteredCount = 0;
    }
    return false;
}

std::uint64_t DivisionSearch::LargestSum(std::uint32_t from, std::uint32_t count) const {
    if (count == 0)
        return 0;
    return UseSuffixExtremes ? SaturatingMultiply(SuffixMax[from], count)
                             : LargestSums[std::size_t{from} * BoundWidth + count - 1];
}

void DivisionSearch::TakeSubtreeMaximum(std::uint32_t position, std::uint32_t value,
                                        std::uint64_t totalWithValue) {
    const std::uint32_t free = ElementCount - 1 - position;
    const std::uint32_t next = value + 1;
    BestSize = totalWithValue + LargestSum(next, free);
    Best.assign(Combination.begin(), Combination.begin() + position);
    Best.push_back(value);
    // The completion is worked out only when the medium is taken: most are replaced before.
    BestTopFrom = next;
    BestTopCount = free;
}

void DivisionSearch::CompleteBest() {
    if (BestTopCount == 0)
        return;
    // The lexicographically first choice of BestTopCount units from BestTopFrom on with the
    // largest sum: the largest totals, and among equal totals the lowest indices.
    const std::vector<std::uint64_t>& total = *Totals;
    Scratch.clear();
    for (std::uint32_t i = BestTopFrom; i < UnitCount; ++i)
        Scratch.push_back(i);
    const auto larger = [&](std::uint32_t left, std::uint32_t right) {
        return total[left] != total[right] ? total[left] > total[right] : left < right;
    };
    std::nth_element(Scratch.begin(), Scratch.begin() + (BestTopCount - 1), Scratch.end(), larger);
    Scratch.resize(BestTopCount);
    std::sort(Scratch.begin(), Scratch.end());
    Best.insert(Best.end(), Scratch.begin(), Scratch.end());
    BestTopCount = 0;
}

void DivisionSearch::BuildSuffixTables() {
    const std::vector<std::uint64_t>& total = *Totals;
    SuffixMin.assign(UnitCount + 1, UINT64_MAX);
    SuffixMax.assign(UnitCount + 1, 0);
    RunEnd.resize(UnitCount);
    for (std::uint32_t i = UnitCount; i-- > 0;) {
        SuffixMin[i] = std::min(SuffixMin[i + 1], total[i]);
        SuffixMax[i] = std::max(SuffixMax[i + 1], total[i]);
        RunEnd[i] = i + 1 < UnitCount && total[i + 1] == total[i] ? RunEnd[i + 1] : i + 1;
    }
}

void DivisionSearch::BuildBoundTables(std::uint32_t elementCount) {
    // Wide enough for this pass and a raised one: the totals stay the same for the whole medium.
    const std::uint32_t width = elementCount;
    const std::size_t entries = std::size_t{UnitCount + 1} * width;
    if (entries > MaxTableEntries) {
        BoundWidth = 0;
        UseSuffixExtremes = true;
        TablesBuilt = true;
        return;
    }
    BoundWidth = width;
    TablesBuilt = true;
    const std::vector<std::uint64_t>& total = *Totals;
    LargestSums.resize(entries);
    // The width largest totals from unit i on, kept sorted while i moves down; a row changes
    // only from where the new unit enters the list.
    std::vector<std::uint64_t> largest;
    largest.reserve(width + 1);
    for (std::uint32_t i = UnitCount; i-- > 0;) {
        const std::uint64_t unit = total[i];
        const auto place = std::upper_bound(largest.begin(), largest.end(), unit, std::greater<>());
        const auto from = static_cast<std::uint32_t>(place - largest.begin());
        largest.insert(place, unit);
        if (largest.size() > width)
            largest.pop_back();
        std::uint64_t* const row = LargestSums.data() + std::size_t{i} * width;
        const std::uint64_t* const below = row + width;  // the row of unit i + 1
        std::uint64_t sum = 0;
        if (i + 1 < UnitCount && from > 0) {
            std::copy(below, below + std::min(from, width), row);
            sum = row[from - 1];
        }
        for (std::uint32_t m = from; m < width; ++m) {
            // With fewer than m units left the entry is never asked for; keep the partial sums.
            if (m < largest.size())
                sum = SaturatingAdd(sum, largest[m]);
            row[m] = sum;
        }
    }
}
