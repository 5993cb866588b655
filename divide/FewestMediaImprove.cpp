// SPDX-License-Identifier: GPL-3.0-or-later
// The improvement phase of the fewest-media division: a few media at a time packed again.
#include <algorithm>
#include <functional>

#include "divide/FewestMedia.h"

namespace {

// Packing some media again: how many (at least, and a random number more) and the steps the
// search for one medium fewer among them is given.
constexpr std::size_t RepackMinimum = 4;
constexpr std::size_t RepackSpread = 12;
constexpr std::uint64_t RepackSteps = 1'000;
// The steps of the shortest run, per unit.
constexpr std::uint64_t RunStepsPerUnit = 4'000;
// The run before which the bound is proven where it can be (the first runs often reach it).
constexpr std::uint64_t ProofRun = 3;

// splitmix64: small, fast and the same everywhere.
std::uint64_t NextRandom(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// The Luby sequence 1, 1, 2, 1, 1, 2, 4, 1, ... (run counted from 1).
std::uint64_t Luby(std::uint64_t run) {
    for (;;) {
        std::uint64_t power = 1;
        while (2 * power - 1 < run)
            power *= 2;
        if (2 * power - 1 == run)
            return power;
        run -= power - 1;
    }
}

long double SquaredLoads(const std::vector<std::uint64_t>& loads) {
    long double sum = 0;
    for (const std::uint64_t load : loads)
        sum += static_cast<long double>(load) * static_cast<long double>(load);
    return sum;
}

}  // namespace

void FewestMedia::Improve() {
    // Without units of their own (only units of total 0, or none) the media are as few as can
    // be, and a run would take no step.
    const std::vector<Medium> start = MediaOf(Best);
    if (start.size() <= LowerBound)
        return;
    std::uint64_t stepEnd = Steps + StepLimit * 3 / 4;
    const std::uint64_t runSteps = RunStepsPerUnit * OriginalTotals.size();
    for (std::uint64_t run = 1; Best.size() > LowerBound && Steps < stepEnd && !Ending(); ++run) {
        if (run == ProofRun && !ProofTried) {
            const std::uint64_t before = Steps;
            Prove();
            stepEnd += Steps - before;  // the runs keep their steps
            if (Best.size() <= LowerBound || Ending())
                break;
        }
        Repack(start, std::min(stepEnd, Steps + Luby(run) * runSteps), run);
    }
}

void FewestMedia::Repack(std::vector<Medium> media, std::uint64_t stepEnd, std::uint64_t seed) {
    std::uint64_t random = seed;
    while (media.size() > LowerBound && Steps < stepEnd && !Ending()) {
        std::stable_sort(media.begin(), media.end(),
                         [](const Medium& a, const Medium& b) { return a.Load > b.Load; });
        std::vector<std::size_t> chosen = ChooseMedia(media, random);
        Bins packed = RepackChosen(media, chosen, stepEnd);
        if (packed.empty())
            continue;
        std::sort(chosen.begin(), chosen.end(), std::greater<>());
        for (const std::size_t i : chosen)
            media.erase(media.begin() + static_cast<std::ptrdiff_t>(i));
        for (Medium& medium : MediaOf(packed))
            media.push_back(std::move(medium));
        if (media.size() < Best.size()) {
            Bins bins;
            for (const Medium& medium : media)
                bins.push_back(medium.Units);
            Keep(std::move(bins));
        }
    }
}

std::vector<std::size_t> FewestMedia::ChooseMedia(const std::vector<Medium>& media,
                                                  std::uint64_t& random) const {
    const std::size_t wanted = RepackMinimum + NextRandom(random) % RepackSpread;
    // The emptiest medium's units need the free room of others: the least full ones give it,
    // the ones chosen at random the chance to combine the units otherwise.
    std::vector<std::size_t> chosen{media.size() - 1};
    std::uint64_t freeRoom = 0;
    for (std::size_t i = media.size() - 1;
         i-- > 0 && freeRoom < media.back().Load && chosen.size() < wanted / 2;) {
        chosen.push_back(i);
        freeRoom += Capacity - media[i].Load;
    }
    for (std::size_t tries = 0;
         chosen.size() < std::min(wanted, media.size()) && tries < 4 * wanted; ++tries) {
        const std::size_t pick = NextRandom(random) % (media.size() - 1);
        if (std::find(chosen.begin(), chosen.end(), pick) == chosen.end())
            chosen.push_back(pick);
    }
    return chosen;
}

FewestMedia::Bins FewestMedia::RepackChosen(const std::vector<Medium>& media,
                                            const std::vector<std::size_t>& chosen,
                                            std::uint64_t stepEnd) {
    Wide subTotal = 0;
    std::vector<std::uint64_t> loadsBefore;
    for (auto& units : SubUnits)
        units.clear();
    for (const std::size_t i : chosen) {
        subTotal += media[i].Load;
        loadsBefore.push_back(media[i].Load);
        for (const std::uint32_t unit : media[i].Units)
            SubUnits[SizeIndexOf[unit]].push_back(unit);
    }
    const std::uint64_t target = chosen.size() - 1;
    const Wide room = static_cast<Wide>(target) * Capacity;
    Steps += chosen.size();
    SetAvailable(SubUnits);
    StepCeiling = std::min(stepEnd, Steps + RepackSteps);
    if (room >= subTotal && Complete(target, room - subTotal, ~std::uint32_t{0}) == Found::Yes)
        return TakeStackedBins(SubUnits);
    Stack.clear();
    SetAvailable(SubUnits);
    const bool packedAgain = Complete(~std::uint64_t{0}, ~Wide{0}, 0) == Found::Yes;
    Bins again = TakeStackedBins(SubUnits);
    std::vector<std::uint64_t> loadsAfter;
    for (const Medium& medium : MediaOf(again))
        loadsAfter.push_back(medium.Load);
    if (!packedAgain || again.size() > chosen.size() ||
        SquaredLoads(loadsAfter) < SquaredLoads(loadsBefore))
        return {};
    return again;
}

std::vector<FewestMedia::Medium> FewestMedia::MediaOf(const Bins& bins) const {
    std::vector<Medium> media;
    for (const auto& bin : bins) {
        Medium medium;
        for (const std::uint32_t unit : bin)
            if (OriginalTotals[unit] != 0) {
                medium.Units.push_back(unit);
                medium.Load += OriginalTotals[unit];
            }
        if (!medium.Units.empty())
            media.push_back(std::move(medium));
    }
    return media;
}
