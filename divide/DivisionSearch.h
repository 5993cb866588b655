// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/SizeArithmetic.h"

// The search that fills media one after another from the remaining units. It runs on whatever
// thread calls Run; other threads talk to it only through the three requests.
//
// For each medium it enumerates combinations of a fixed number of units (the element count) in
// lexicographic order of unit indices, accepts at once a combination or prefix whose total lies
// between the low bound and the capacity, and otherwise moves the element count up or down by
// one between passes and finally takes the fullest combination found. The accelerated search
// skips subtrees of the enumeration in which no combination can improve on the best found and
// no prefix can be accepted, so it delivers exactly the media of the plain enumeration.
class DivisionSearch {
public:
    enum class Outcome {
        Completed,  // every unit placed
        Stopped,    // a stop was requested; nothing more delivered
        Failed,     // no remaining unit fits on a medium on its own
        Parked      // a park was requested: Run again, on any thread, goes on exactly there
    };

    struct PassStats {
        std::uint32_t ElementCount = 0;
        std::uint64_t Evaluations = 0;
    };

    // What the search did for one medium; handed over with the medium.
    struct MediumStats {
        std::uint32_t UnitsLeft = 0;
        std::vector<PassStats> Passes;
    };

    // Called with the indices (ascending, into the remaining units as they stand) of every
    // accepted medium. When it returns, the search removes those units from its own sequence;
    // the caller removes them from any parallel sequence it keeps.
    using DeliverFn =
        std::function<void(const std::vector<std::uint32_t>& units, const MediumStats& stats)>;
    using ProgressFn = std::function<void()>;

    DivisionSearch(std::uint64_t capacity, std::uint64_t lowBound);

    // The plain enumeration, without the subtree skipping (for comparison and measurements).
    void SetExhaustive(bool exhaustive) { Exhaustive = exhaustive; }
    // The bound tables of a pass are built once it has made this many steps per table entry, so
    // searches that end early never pay for them (0: at once).
    void SetTableStepsPerEntry(std::uint64_t steps) { TableStepsPerEntry = steps; }
    // Take the best found so far once a medium's search has run this long (0: never).
    void SetMediumTimeLimit(std::chrono::steady_clock::duration limit) { MediumTimeLimit = limit; }

    // Places the units whose totals are given, in their order, until none remains, a stop is
    // requested or no unit fits. The totals are consumed: what is left are the unplaced units.
    // After Parked, call it again with the same totals to go on with the search where it was.
    Outcome Run(std::vector<std::uint64_t>& totals, const DeliverFn& deliver,
                const ProgressFn& reportProgress);

    // Requests from another thread.
    void RequestStop() { StopRequested.store(true, std::memory_order_relaxed); }
    void RequestProgress() { ProgressRequested.store(true, std::memory_order_relaxed); }
    void RequestTakeBest() { TakeBestRequested.store(true, std::memory_order_relaxed); }
    // Ends Run with Parked at its next look at the requests, keeping the whole search state.
    void RequestPark() { ParkRequested.store(true, std::memory_order_relaxed); }
    bool IsStopRequested() const { return StopRequested.load(std::memory_order_relaxed); }

    // Published progress: read them inside the progress callback, while the search waits.
    std::uint32_t UnitsLeft = 0;
    std::uint32_t ElementCount = 0;
    std::uint64_t CombinationCount = 0;

private:
    enum class PassEnd { Accepted, Improved, NotImproved, Stopped, Parked };

    std::uint32_t EstimateElementCount(const WideSum& total, std::uint32_t unitCount) const;
    // resume: go on with the pass that was parked instead of starting it.
    PassEnd RunPass(std::uint32_t elementCount, const ProgressFn& reportProgress, bool resume);
    // Evaluates the combination whose positions after from are completed with consecutive
    // units: true when the pass ends there, as EndOfPass says.
    bool EvaluateCompletion(std::uint32_t from, bool& improved, const ProgressFn& reportProgress);
    // What moving one position of the combination to its next candidate came to: moved to a
    // unit worth descending into (the prefix extended by it), no candidate left, or an end of the
    // pass, kept in EndOfPass. Plain values, so that the pass's loop keeps them in registers.
    enum class Advance : std::uint8_t { Moved, NoneLeft, Ended };
    // resumeValue: the candidate to go on at, 0 for the one after the position's unit.
    Advance AdvancePosition(std::uint32_t position, std::uint32_t resumeValue, bool& improved,
                            const ProgressFn& reportProgress);
    // A pass's first combination: the first units, in order.
    void StartPass(std::uint32_t count);
    enum class SubtreeKind {
        Explore,          // enumerate it
        Hopeless,         // nothing in it can improve the best or be accepted: skip it
        BestIsItsMaximum  // nothing in it can be accepted, all of it fits: its maximum is the best
    };
    SubtreeKind ClassifySubtree(std::uint32_t position, std::uint32_t value,
                                std::uint64_t totalWithValue) const;
    void TakeSubtreeMaximum(std::uint32_t position, std::uint32_t value,
                            std::uint64_t totalWithValue);
    // Fills in the units of a best combination that was taken as a subtree's maximum.
    void CompleteBest();
    // Checks stop, progress, time and take-best between evaluations; false on a stop.
    bool Poll(const ProgressFn& reportProgress);
    bool TakeParkRequest() { return ParkRequested.exchange(false, std::memory_order_relaxed); }
    struct ParkedPass;
    // Polls at the end of a poll interval inside a pass: how the pass ends there, if it does. A
    // park remembers the place given.
    std::optional<PassEnd> EndAtPoll(const ProgressFn& reportProgress, const ParkedPass& place);
    bool TakeBestNow() const;
    // Whether a subtree with the same total at this position was entered before in this pass from
    // this unit or an earlier one; remembers this one otherwise.
    bool EnteredBefore(std::uint32_t position, std::uint64_t total, std::uint32_t value);
    // The sum of the count largest totals from unit from on, or a bound above it.
    std::uint64_t LargestSum(std::uint32_t from, std::uint32_t count) const;
    void BuildSuffixTables();
    void BuildBoundTables(std::uint32_t elementCount);

    const std::uint64_t Capacity;
    const std::uint64_t LowBound;
    bool Exhaustive = false;
    std::uint64_t TableStepsPerEntry = 2;
    std::chrono::steady_clock::duration MediumTimeLimit{0};

    std::atomic<bool> StopRequested{false};
    std::atomic<bool> ProgressRequested{false};
    std::atomic<bool> TakeBestRequested{false};
    std::atomic<bool> ParkRequested{false};

    // Where a parked search goes on: the medium's pass loop, and inside the pass either after an
    // evaluation or in the advance at Position with Value as the next candidate.
    struct ParkedPass {
        bool Active = false;
        bool InAdvance = false;
        std::uint32_t Position = 0;
        std::uint32_t Value = 0;
        bool Improved = false;
    } Parked;
    PassEnd EndOfPass = PassEnd::Stopped;
    MediumStats Stats;
    std::uint32_t PassCount = 0;
    bool Raised = false;
    bool Lowered = false;

    // State of the current medium, reused for the whole division.
    const std::vector<std::uint64_t>* Totals = nullptr;
    std::uint32_t UnitCount = 0;
    std::vector<std::uint32_t> Combination;
    std::vector<std::uint64_t> Prefix;     // Prefix[j]: total of positions 0 .. j-1
    std::vector<std::uint8_t> Overflowed;  // Overflowed[j]: that total ran past the largest value
    std::vector<std::uint32_t> Best;
    // A best taken as a subtree's maximum: Best holds its prefix, and its remaining BestTopCount
    // units are the largest from unit BestTopFrom on.
    std::uint32_t BestTopFrom = 0;
    std::uint32_t BestTopCount = 0;
    std::vector<std::uint32_t> Scratch;
    std::uint64_t BestSize = 0;
    bool TimeUp = false;
    std::chrono::steady_clock::time_point MediumStart;
    std::uint32_t PollCountdown = 0;
    std::uint64_t PassSteps = 0;

    // Bounds of the accelerated search over the current remaining units.
    std::vector<std::uint64_t> SuffixMin;  // SuffixMin[i]: smallest total from unit i on
    std::vector<std::uint64_t> SuffixMax;
    std::vector<std::uint64_t> LargestSums;  // [i * Width + m - 1]: sum of the m largest from i on
    std::uint32_t BoundWidth = 0;            // the largest m of the tables; 0: not built
    bool UseSuffixExtremes = false;          // tables too large: bound by m times the maximum
    bool TablesBuilt = false;                // bounds ready for the current pass
    // RunEnd[i]: the first unit after i whose total differs from unit i's (or the unit count).
    std::vector<std::uint32_t> RunEnd;
    // Entered[position]: the lowest unit from which a subtree of each prefix total was entered
    // at that position in the current pass.
    std::vector<std::unordered_map<std::uint64_t, std::uint32_t>> Entered;
    std::size_t EnteredCount = 0;
};

// Removes the elements at the given ascending indices, keeping the order of the rest.
template <typename T>
void RemoveAcceptedUnits(std::vector<T>& units, const std::vector<std::uint32_t>& accepted) {
    std::size_t write = 0;
    std::size_t next = 0;
    for (std::size_t read = 0; read < units.size(); ++read) {
        if (next < accepted.size() && accepted[next] == read) {
            ++next;
            continue;
        }
        if (write != read)
            units[write] = std::move(units[read]);
        ++write;
    }
    units.resize(write);
}
