// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "divide/DivisionSearch.h"

// The second way of dividing: places the units on as few media as it can find and tells how
// close that is to the fewest possible. It works in phases, each only while the media found are
// more than the lower bound:
//  1. the lower bound (Martello-Toth L2) and, as a start, the better of first-fit decreasing and
//     minimum bin slack (each medium in turn filled as fully as the remaining units allow);
//  2. improvement: the emptiest medium and a few others (the least full and some at random) are
//     packed onto one medium fewer by an exact search over just their units; where that fails,
//     they are packed again each as full as it goes, kept unless that spreads their free room;
//     this goes in runs from the start, each with other random choices and given more steps
//     in the Luby sequence, as long as the media found are more than the bound. Where the first
//     runs do not reach it, the bound of the linear relaxation (PatternBound.h) is taken where
//     it is higher and the exact search of 4. is given a short share of the steps;
//  3. the media-filling search is run on the same units and its result kept when it needs fewer
//     media (so this way never needs more media than that one);
//  4. an exact search by bin completion: for a number of media k, the largest unplaced unit's
//     medium is completed with the subsets that waste no more room than k media allow, the
//     fullest first, under a limited number of discrepancies (0, 1, 2, 4, ...); then with every
//     completion that no other dominates, cut where the units left need more media than are
//     left by L2. A search for k that runs through without a cut proves that k media cannot do,
//     and the bound is raised.
// The solution found is rearranged so that the first media are as full as it allows and the
// last takes the rest; the media are delivered one after another once it is final.
//
// Requests work as for the media-filling search: a stop ends it with nothing delivered; taking
// the best ends the search at once with the fewest media found so far; a time limit does so
// once the search has run that long (the media-filling search run beside it gets it as its own
// per-medium limit too); a park keeps the phase and the best solution found.
class FewestMedia {
public:
    using Outcome = DivisionSearch::Outcome;
    // The units of one medium, ascending indices into the remaining units as they stand.
    using DeliverFn = std::function<void(const std::vector<std::uint32_t>& units)>;
    using ProgressFn = std::function<void()>;

    explicit FewestMedia(std::uint64_t capacity, std::uint64_t lowBound);

    void SetTimeLimit(std::chrono::steady_clock::duration limit) { TimeLimit = limit; }

    // Places all units whose totals are given, or none (stop, no unit fits). The totals are
    // consumed as by the media-filling search: what is left are the unplaced units.
    Outcome Run(std::vector<std::uint64_t>& totals, const DeliverFn& deliver,
                const ProgressFn& reportProgress);

    void RequestStop();
    void RequestProgress() { ProgressRequested.store(true, std::memory_order_relaxed); }
    void RequestTakeBest() { TakeBestRequested.store(true, std::memory_order_relaxed); }
    void RequestPark();
    bool IsStopRequested() const { return StopRequested.load(std::memory_order_relaxed); }

    // After a completed run: the media used, and the fewest any division can use (equal when
    // the count is proven the least).
    std::uint32_t MediaCount = 0;
    std::uint32_t LowerBound = 0;

    // Published progress, read inside the progress callback: the units not yet placed in the
    // solution being built, the media of the best solution so far, and the search's steps.
    std::uint32_t UnitsLeft = 0;
    std::uint32_t ElementCount = 0;
    std::uint64_t CombinationCount = 0;

private:
    __extension__ typedef unsigned __int128 Wide;  // sums and differences of many totals
    enum class Phase { Start, Improve, Compare, Exact, Deliver };
    enum class Found { Yes, NoneThere, Cut, Interrupted };
    using Bins = std::vector<std::vector<std::uint32_t>>;  // unit indices of each medium
    struct Medium {
        std::vector<std::uint32_t> Units;
        std::uint64_t Load = 0;
    };
    struct Completion {
        std::uint64_t Fill = 0;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> Sizes;  // (size index, count)
    };

    void Prepare(const std::vector<std::uint64_t>& totals);
    Bins FirstFitDecreasing() const;
    // Bin completion for at most binsLeft more media wasting at most wasteLeft in all.
    Found Complete(std::uint64_t binsLeft, Wide wasteLeft, std::uint32_t discrepancies);
    // The fullest completions of a medium holding one unit of size index first, most room
    // unused maxSlack; false when some were left out (too many or too long to enumerate).
    bool Completions(std::uint32_t first, std::uint64_t maxSlack, std::vector<Completion>& out);
    // The most units of those available that fit one medium (the smallest ones).
    std::uint64_t MostUnitsOnMedium() const;
    // The fewest media the units available need by the bound L2.
    std::uint64_t MediaNeeded() const;
    void Enumerate(std::uint32_t index, std::uint64_t room, std::uint64_t smallestLeft);
    void Record(std::uint64_t room);
    bool EnumerationFull();
    // Whether some of the completion's units could make way for one unit left over that is
    // at least as large (larger, in place of a single unit) and fits the room they leave:
    // the completion with that unit instead fills the medium at least as well, and whatever
    // divides the rest with this one divides it with that one too.
    bool Dominated(const Completion& completion, std::uint64_t slack);
    bool ReplacedByOne(const Completion& completion, std::uint64_t sum, std::uint64_t slack,
                       bool larger) const;
    // Whether the units fit that many media, searched until the steps reach stepEnd: passes
    // with limited discrepancies up to the most given, then the complete search.
    Found SearchMedia(std::uint64_t media, std::uint64_t stepEnd, std::uint64_t mostDiscrepancies);
    // The solution on the stack of the exact search, which is cleared for the next search.
    Bins TakeStackedBins(const std::vector<std::vector<std::uint32_t>>& unitsOfSize);
    // The units the exact search may place: unitsOfSize[i] of size index i.
    void SetAvailable(const std::vector<std::vector<std::uint32_t>>& unitsOfSize);
    void Keep(Bins bins, bool withZeroUnits = false);
    // Packs the emptiest medium and some others onto one medium fewer, again and again, in
    // runs from the first solution with other random choices each (a run that has not reached
    // the bound gives up after a number of steps that grows in the Luby sequence: some runs
    // get stuck where others from the same start go through).
    void Improve();
    // One run from the media given until stepEnd; a solution on fewer media than the best is
    // kept at once.
    void Repack(std::vector<Medium> media, std::uint64_t stepEnd, std::uint64_t seed);
    // The emptiest medium, the others that are not full (the least full first) and some chosen
    // at random; the media are sorted by load, the fullest first.
    std::vector<std::size_t> ChooseMedia(const std::vector<Medium>& media,
                                         std::uint64_t& random) const;
    // The chosen media's units onto one medium fewer or, where that is not found, packed again
    // as full as each goes where that gathers the free room on fewer of them (the squares of
    // the loads do not shrink), so that a later round can empty one; nothing where neither.
    Bins RepackChosen(const std::vector<Medium>& media, const std::vector<std::size_t>& chosen,
                      std::uint64_t stepEnd);
    std::vector<Medium> MediaOf(const Bins& bins) const;
    bool Compare(const ProgressFn& reportProgress);
    // The exact search for a division onto as many media as the bound, the bound raised while
    // that is proven impossible, until the steps reach stepEnd.
    void Exact(std::uint64_t stepEnd, std::uint64_t mostDiscrepancies);
    // Where the improvement does not reach the bound at once: the bound of the relaxation, and
    // the exact search for a share of the steps (the bound is often the count, or one below).
    void Prove();
    bool Poll();
    // A stop, park, take-best or the time limit ends the search.
    bool Ending() const;
    bool TimeUp() const;
    void Arrange(Bins& bins) const;
    Outcome Deliver(std::vector<std::uint64_t>& totals, const DeliverFn& deliver);

    const std::uint64_t Capacity;
    const std::uint64_t LowBoundValue;
    std::chrono::steady_clock::duration TimeLimit{0};
    // The work (steps of the subset enumeration) of the whole search before it gives up: more
    // for more units, within bounds.
    std::uint64_t StepLimit = 0;

    std::atomic<bool> StopRequested{false};
    std::atomic<bool> ProgressRequested{false};
    std::atomic<bool> TakeBestRequested{false};
    std::atomic<bool> ParkRequested{false};
    bool Parking = false;
    bool ProofTried = false;

    Phase Current = Phase::Start;
    const ProgressFn* Report = nullptr;
    std::vector<std::uint64_t> OriginalTotals;
    std::chrono::steady_clock::time_point Started;
    DivisionSearch Reference;
    std::vector<std::uint64_t> ReferenceTotals;
    std::vector<std::uint32_t> ReferenceUnits;
    Bins ReferenceBins;

    // The units by size: distinct nonzero sizes, largest first, with their units.
    std::vector<std::uint64_t> Sizes;
    std::vector<std::vector<std::uint32_t>> UnitsOfSize;
    std::vector<std::uint32_t> Available;  // units of each size not yet placed
    std::vector<std::uint32_t> ZeroUnits;
    std::vector<std::uint32_t> SizeIndexOf;            // of each unit (0 for units of total 0)
    std::vector<std::vector<std::uint32_t>> SubUnits;  // of the media being packed again, by size
    std::uint64_t Placeable = 0;                       // nonzero units not yet placed
    Wide TotalSize = 0;
    // The exact search's media: the size index of the unit that opened each, and its completion.
    std::vector<std::pair<std::uint32_t, Completion>> Stack;
    // Enumeration of completions.
    std::vector<std::uint64_t> SuffixRoom;  // total of the available units from a size index on
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Chosen;
    std::vector<Completion>* Out = nullptr;
    std::uint64_t MaxSlack = 0;
    std::uint64_t SmallestAvailable = 0;
    std::uint64_t EnumerationSteps = 0;
    std::size_t CompletionCap = 0;  // the most completions of one medium kept
    bool LeftOut = false;
    bool Exhaustive = false;  // every completion is tried: a search that runs through proves
    std::uint64_t Steps = 0;
    std::uint64_t StepCeiling = 0;  // the exact search is cut there
    std::uint32_t PollCountdown = 0;
    std::uint64_t PollStep = 0;  // or when the steps reach this

    Bins Best;
};
