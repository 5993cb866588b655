// The data manager on a large collection: adding a folder's 100 000 files (listing, measuring,
// sorting by path, dropping duplicates, refilling the list) and refilling the list alone.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "collection/Tdatamanager.h"
#include "platform/IconList.h"
#include "platform/InMemoryListView.h"
#include "platform/LoopUiThread.h"
#include "platform/Prompter.h"
#include "tests/doubles/HostDoubles.h"

namespace {

constexpr int FileCount = 100000;

struct Host {
    InMemoryListView Collection;
    InMemoryListView Medium{true};
    CancellingPrompter Questions;
    LoopUiThread Ui;
    CountingDivisionListener Listener;
    RecordingFileOperations FileOperations;
    PlainIconList Icons;
    TDataManager Manager{Collection, Medium,
                         TDataManagerHost{Questions, Ui, Listener, FileOperations, Icons}};
};

// A folder of 100 000 small files with mixed-case names, made once and kept between runs so
// that its listing is cached by the system as the target assumes.
const std::string& LargeFolder() {
    static const std::string folder = [] {
        const std::string path = (std::filesystem::temp_directory_path() /
                                  ("vantrel-bench-" + std::to_string(FileCount)))
                                     .string();
        const std::string done = path + "/.complete";
        if (!std::filesystem::exists(done)) {
            std::filesystem::create_directories(path);
            char name[64];
            for (int i = 0; i < FileCount; ++i) {
                // Scatter the numbers so that the listing is far from sorted.
                const int n = static_cast<int>((static_cast<long long>(i) * 7919) % FileCount);
                std::snprintf(name, sizeof name, "/%s %05d - Title.mp3", n % 2 ? "Track" : "track",
                              n);
                std::ofstream(path + name) << n;
            }
            std::ofstream(done) << "";
        }
        return path;
    }();
    return folder;
}

void BM_AddItemsFromFolder(benchmark::State& state) {
    const std::string& folder = LargeFolder();
    for (auto _ : state) {
        auto host = std::make_unique<Host>();
        host->Manager.AddItems({folder}, AddFromFolder);
        if (host->Manager.GetItems().size() != FileCount)
            state.SkipWithError("the folder does not hold the expected files");
        state.PauseTiming();
        host.reset();  // not part of the measure
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddItemsFromFolder)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AddFolderTwice(benchmark::State& state) {
    // The second add finds every entry already present: the duplicates are dropped again.
    const std::string& folder = LargeFolder();
    Host host;
    host.Manager.AddItems({folder}, AddFromFolder);
    for (auto _ : state) {
        host.Manager.AddItems({folder}, AddFromFolder);
        if (host.Manager.GetItems().size() != FileCount)
            state.SkipWithError("duplicates were not dropped");
    }
}
BENCHMARK(BM_AddFolderTwice)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ShowCollection(benchmark::State& state) {
    Host host;
    host.Manager.AddItems({LargeFolder()}, AddFromFolder);
    for (auto _ : state) {
        host.Manager.ShowCollection();
        auto* rows = host.Collection.Rows.data();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(host.Collection.RowCount());
}
BENCHMARK(BM_ShowCollection)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
