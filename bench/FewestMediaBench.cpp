// SPDX-License-Identifier: GPL-3.0-or-later
// The fewest-media division beside the media-filling search on generated sets: per kind and
// size, how many sets reach the lower bound, the media above it in all, and the time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

#include "bench/SearchSets.h"
#include "divide/BinLowerBound.h"
#include "divide/FewestMedia.h"

namespace {

struct Measure {
    std::uint32_t Media = 0;
    double Seconds = 0;
    bool Proven = false;  // the fewest possible, by the bound or by the exact search
};

template <typename Search>
Measure Divide(Search& search, const SearchSet& set) {
    std::vector<std::uint64_t> totals = set.Totals;
    Measure measure;
    const auto start = std::chrono::steady_clock::now();
    search.Run(
        totals, [&](const auto&...) { ++measure.Media; }, [] {});
    measure.Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if constexpr (std::is_same_v<Search, FewestMedia>)
        measure.Proven = search.MediaCount == search.LowerBound;
    return measure;
}

struct Row {
    std::uint32_t AtBound = 0;
    std::uint32_t Proven = 0;
    std::uint64_t Extra = 0;
    double Total = 0;
    double Slowest = 0;

    void Add(const Measure& measure, std::uint32_t bound) {
        AtBound += measure.Media == bound ? 1 : 0;
        Proven += measure.Media == bound || measure.Proven ? 1 : 0;
        Extra += measure.Media - bound;
        Total += measure.Seconds;
        Slowest = std::max(Slowest, measure.Seconds);
    }
};

void PrintRow(const char* kind, std::size_t units, std::uint32_t sets, const char* method,
              const Row& row) {
    std::printf("| %-11s | %6zu | %-14s | %2u/%-2u | %2u/%-2u  | %5llu | %8.3f | %8.3f |\n", kind,
                units, method, row.AtBound, sets, row.Proven, sets,
                static_cast<unsigned long long>(row.Extra), row.Total / sets, row.Slowest);
}

}  // namespace

int main(int argc, char** argv) {
    // The media-filling search gets this long per medium (seconds); 0: no limit.
    const double mediumLimit = argc > 1 ? std::stod(argv[1]) : 1.0;
    const auto limit = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(mediumLimit));
    struct Kind {
        const char* Name;
        std::vector<std::size_t> Sizes;
        std::uint32_t Sets;
    };
    const Kind kinds[] = {{"triplet", {60, 120, 249, 501}, 5},
                          {"lcg-triplet", {120}, 40},
                          {"uniform", {120, 250, 500, 1000}, 5},
                          {"mixed", {10000}, 1}};
    std::printf(
        "| set         |  units | division       | bound | proven | extra | mean s   | max s    "
        "|\n");
    std::printf(
        "|-------------|--------|----------------|-------|--------|-------|----------|----------|"
        "\n");
    for (const Kind& kind : kinds) {
        for (const std::size_t units : kind.Sizes) {
            Row fewest;
            Row filling;
            for (std::uint32_t instance = 0; instance < kind.Sets; ++instance) {
                const SearchSet set = MakeSearchSet(kind.Name, units, instance);
                const std::uint32_t bound = BinLowerBound(set.Totals, set.Capacity);
                FewestMedia fewestMedia(set.Capacity, set.LowBound);
                fewestMedia.SetTimeLimit(std::chrono::seconds(10));
                fewest.Add(Divide(fewestMedia, set), bound);
                DivisionSearch search(set.Capacity, set.LowBound);
                search.SetMediumTimeLimit(limit);
                filling.Add(Divide(search, set), bound);
            }
            PrintRow(kind.Name, units, kind.Sets, "fewest media", fewest);
            PrintRow(kind.Name, units, kind.Sets, "media-filling", filling);
        }
    }
    return 0;
}
