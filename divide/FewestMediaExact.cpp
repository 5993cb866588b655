// SPDX-License-Identifier: GPL-3.0-or-later
// The exact search of the fewest-media division: bin completion, the largest unit left first.
#include <algorithm>
#include <limits>

#include "divide/FewestMedia.h"

namespace {

// The completions of one medium tried in the search with limited discrepancies, fullest first.
constexpr std::size_t KeptCompletions = 12;
// The completions of one medium the complete search takes at most; more give up on the proof.
constexpr std::size_t MostCompletions = 2'000;
// The enumeration of one medium's completions with limited discrepancies gives up after this
// many steps per size.
constexpr std::uint64_t StepsPerSize = 8;
constexpr std::uint64_t MinimumEnumerationSteps = 20'000;
// The dominance test looks at no more subsets of a completion's units than this, and at no
// more sizes for each.
constexpr std::uint64_t MostSubsets = 256;
constexpr std::size_t MostReplacements = 16;

}  // namespace

FewestMedia::Found FewestMedia::Complete(std::uint64_t binsLeft, Wide wasteLeft,
                                         std::uint32_t discrepancies) {
    if (Placeable == 0)
        return Found::Yes;
    if (binsLeft == 0)
        return Found::NoneThere;
    if ((--PollCountdown == 0 || Steps >= PollStep) && !Poll())
        return Found::Interrupted;
    if (Steps >= StepCeiling)
        return Found::Cut;
    if (binsLeft < Placeable && Placeable > binsLeft * MostUnitsOnMedium())
        return Found::NoneThere;
    if (Exhaustive && MediaNeeded() > binsLeft)
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

std::uint64_t FewestMedia::MediaNeeded() const {
    // Units above half the capacity take a medium each. For a threshold k of the sizes up to
    // half: those above the capacity less k share their medium with none of the sizes from k
    // to half, which fill the room the others leave and need media of their own beyond it.
    const std::size_t sizeCount = Sizes.size();
    std::size_t half = 0;  // the first size up to half the capacity
    Wide large = 0;
    while (half < sizeCount && Sizes[half] > Capacity - Sizes[half]) {
        large += Available[half];
        ++half;
    }
    Wide smallSum = 0;         // of the sizes from k to half
    std::size_t alone = half;  // the first size up to the capacity less k
    Wide sharingCount = 0;     // of the units above half from alone on, and their sum
    Wide sharingSum = 0;
    Wide best = 0;
    for (std::size_t j = half; j < sizeCount; ++j) {
        if (Available[j] == 0)
            continue;
        smallSum += static_cast<Wide>(Available[j]) * Sizes[j];
        const std::uint64_t limit = Capacity - Sizes[j];
        while (alone > 0 && Sizes[alone - 1] <= limit) {
            --alone;
            sharingCount += Available[alone];
            sharingSum += static_cast<Wide>(Available[alone]) * Sizes[alone];
        }
        const Wide room = sharingCount * Capacity - sharingSum;
        if (smallSum > room)
            best = std::max(best, (smallSum - room + Capacity - 1) / Capacity);
    }
    return static_cast<std::uint64_t>(std::min<Wide>(large + best, ~std::uint64_t{0}));
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
    CompletionCap = Exhaustive ? MostCompletions : KeptCompletions;
    EnumerationSteps = Exhaustive
                           ? StepCeiling - std::min(Steps, StepCeiling)
                           : std::max(MinimumEnumerationSteps, StepsPerSize * (sizeCount - first));
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
    if (Exhaustive)
        out.erase(std::remove_if(out.begin(), out.end(),
                                 [&](const Completion& completion) {
                                     return Dominated(completion, Capacity - completion.Fill);
                                 }),
                  out.end());
    return !LeftOut;
}

bool FewestMedia::EnumerationFull() {
    // Enough completions that fill the medium: none can be better, though others may be as good.
    const bool full = Out->size() == CompletionCap && Out->back().Fill == Capacity;
    LeftOut = LeftOut || full;
    return full;
}

bool FewestMedia::Dominated(const Completion& completion, std::uint64_t slack) {
    std::uint64_t subsets = 1;
    for (const auto& entry : completion.Sizes) {
        subsets *= entry.second + 1ULL;
        if (subsets > MostSubsets)
            return false;
    }
    Steps += subsets;
    // Every choice of counts of the completion's sizes, as a mixed-radix counter.
    std::vector<std::uint32_t> taken(completion.Sizes.size(), 0);
    for (std::uint64_t subset = 1; subset < subsets; ++subset) {
        std::uint64_t sum = 0;
        std::uint32_t units = 0;
        for (std::size_t j = 0; j < taken.size(); ++j) {
            if (taken[j] < completion.Sizes[j].second) {
                ++taken[j];
                break;
            }
            taken[j] = 0;
        }
        for (std::size_t j = 0; j < taken.size(); ++j) {
            sum += taken[j] * Sizes[completion.Sizes[j].first];
            units += taken[j];
        }
        if (ReplacedByOne(completion, sum, slack, units == 1))
            return true;
    }
    return false;
}

bool FewestMedia::ReplacedByOne(const Completion& completion, std::uint64_t sum,
                                std::uint64_t slack, bool larger) const {
    // The sizes are in descending order: from the largest that still fits down to sum.
    const std::uint64_t most = sum + std::min(slack, Capacity - sum);
    auto index = static_cast<std::size_t>(
        std::lower_bound(Sizes.begin(), Sizes.end(), most, std::greater<>()) - Sizes.begin());
    for (const std::size_t end = std::min(Sizes.size(), index + MostReplacements);
         index < end && (larger ? Sizes[index] > sum : Sizes[index] >= sum); ++index) {
        std::uint32_t free = Available[index];
        for (const auto& [size, count] : completion.Sizes)
            if (size == index)
                free -= count;
        if (free > 0)
            return true;
    }
    return false;
}

void FewestMedia::Record(std::uint64_t room) {
    const std::uint64_t fill = Capacity - room;
    std::vector<Completion>& out = *Out;
    if (out.size() == CompletionCap && out.back().Fill >= fill) {
        LeftOut = true;
        return;
    }
    const auto place = std::upper_bound(
        out.begin(), out.end(), fill,
        [](std::uint64_t value, const Completion& kept) { return value > kept.Fill; });
    out.insert(place, Completion{fill, Chosen});
    if (out.size() > CompletionCap) {
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

FewestMedia::Found FewestMedia::SearchMedia(std::uint64_t media, std::uint64_t stepEnd,
                                            std::uint64_t mostDiscrepancies) {
    const Wide room = static_cast<Wide>(media) * Capacity;
    StepCeiling = stepEnd;
    if (room < TotalSize)
        return Found::NoneThere;
    // Limited discrepancies: the fullest completion everywhere first, then a few departures
    // from it; then every completion that no other one dominates, which finds a division if
    // there is one and otherwise proves there is none.
    for (std::uint32_t discrepancies = 0;;
         discrepancies = discrepancies == 0 ? 1 : 2 * discrepancies) {
        const Found found = Complete(media, room - TotalSize, discrepancies);
        if (found != Found::Cut || Steps >= stepEnd)
            return found;
        if (discrepancies >= std::min(mostDiscrepancies, media * KeptCompletions))
            break;
    }
    Exhaustive = true;
    const Found found = Complete(media, room - TotalSize, ~std::uint32_t{0});
    Exhaustive = false;
    return found;
}

void FewestMedia::Exact(std::uint64_t stepEnd, std::uint64_t mostDiscrepancies) {
    while (Best.size() > LowerBound) {
        const Found found = SearchMedia(LowerBound, stepEnd, mostDiscrepancies);
        if (found == Found::Yes)
            Keep(TakeStackedBins(UnitsOfSize));
        else if (found == Found::NoneThere)
            ++LowerBound;  // the search ran through: that many media cannot hold the units
        else
            break;
    }
}
