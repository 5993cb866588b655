// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/SearchSets.h"
#include "divide/DivisionSearch.h"

namespace {

void DivideSet(benchmark::State& state, const char* name, bool timeLimit) {
    const SearchSet set = MakeSearchSet(name, static_cast<std::size_t>(state.range(0)));
    std::uint64_t media = 0;
    double slowest = 0;
    for (auto _ : state) {
        std::vector<std::uint64_t> totals = set.Totals;
        DivisionSearch search(set.Capacity, set.LowBound);
        if (timeLimit)
            search.SetMediumTimeLimit(std::chrono::seconds(1));
        media = 0;
        auto mediumStart = std::chrono::steady_clock::now();
        search.Run(
            totals,
            [&](const auto&, const auto&) {
                ++media;
                const auto now = std::chrono::steady_clock::now();
                slowest =
                    std::max(slowest, std::chrono::duration<double>(now - mediumStart).count());
                mediumStart = now;
            },
            [] {});
    }
    state.counters["media"] = static_cast<double>(media);
    state.counters["slowest_medium_s"] = slowest;
}

}  // namespace

BENCHMARK_CAPTURE(DivideSet, mp3, "mp3", false)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DivideSet, photos, "photos", false)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DivideSet, hard, "hard", false)->Arg(250)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DivideSet, equal, "equal", false)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DivideSet, archive, "archive", false)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DivideSet, mixed_time_limit, "mixed", true)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
