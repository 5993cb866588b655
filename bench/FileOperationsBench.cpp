// SPDX-License-Identifier: GPL-3.0-or-later
// Copying and moving a medium of 2 000 files of 1 MB with the file-operation service, against
// `cp -r` of the same files on the same file system as the reference.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchMedium.h"
#include "platform/PosixFileOperations.h"
#include "tests/doubles/CancellingPrompter.h"

namespace fs = std::filesystem;

namespace {

constexpr int FileCount = 2000;
constexpr std::size_t FileSize = 1024 * 1024;

BenchMedium& TheMedium() {
    static BenchMedium medium("vantrel-bench-files", FileCount, FileSize, 4096);
    return medium;
}

void Fresh(const std::string& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
}

void BM_CopyMediumService(benchmark::State& state) {
    BenchMedium& medium = TheMedium();
    CancellingPrompter prompter;
    SilentProgress progress;
    PosixFileOperations service(prompter, progress);
    const std::string target = medium.Root + "/copy";
    for (auto _ : state) {
        state.PauseTiming();
        Fresh(target);
        state.ResumeTiming();
        if (!service.Run(FileOperationKind::Copy, medium.Sources, target, {}, {}).Done())
            state.SkipWithError("the copy asked or failed");
    }
    state.SetBytesProcessed(state.iterations() * FileCount * static_cast<std::int64_t>(FileSize));
    fs::remove_all(target);
}

void BM_CopyMediumCpReference(benchmark::State& state) {
    BenchMedium& medium = TheMedium();
    const std::string target = medium.Root + "/cp";
    const std::string command = "cp -r '" + medium.Root + "/medium/.' '" + target + "/'";
    for (auto _ : state) {
        state.PauseTiming();
        Fresh(target);
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(state.iterations() * FileCount * static_cast<std::int64_t>(FileSize));
    fs::remove_all(target);
}

// Moving within one file system renames each file; the files are moved back between runs.
void BM_MoveMediumWithinFileSystem(benchmark::State& state) {
    BenchMedium& medium = TheMedium();
    CancellingPrompter prompter;
    SilentProgress progress;
    PosixFileOperations service(prompter, progress);
    const std::string target = medium.Root + "/moved";
    Fresh(target);
    std::vector<FileOperationSource> movedBack;
    for (const auto& source : medium.Sources)
        movedBack.push_back({target + "/" + fs::path(source.Path).filename().string(), false});
    for (auto _ : state) {
        if (!service.Run(FileOperationKind::Move, medium.Sources, target, {}, {}).Done())
            state.SkipWithError("the move asked or failed");
        state.PauseTiming();
        service.Run(FileOperationKind::Move, movedBack, medium.Root + "/medium", {}, {});
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_CopyMediumService)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_CopyMediumCpReference)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_MoveMediumWithinFileSystem)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

BENCHMARK_MAIN();
