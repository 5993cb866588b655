// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the image of a 700 МБ medium of 2 000 files with the image writer, against
// `xorriso -as mkisofs` with the same extensions writing the same files on the same file system.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchMedium.h"
#include "disc/DiscImage.h"
#include "tests/doubles/CancellingPrompter.h"

namespace fs = std::filesystem;

namespace {

constexpr int FileCount = 2000;
// 2 000 files of this length fill a "700 МБ" medium's image to 98 %.
constexpr std::size_t FileSize = 360000;

BenchMedium& TheMedium() {
    static BenchMedium medium("vantrel-bench-image", FileCount, FileSize, 512);
    return medium;
}

void BM_WriteImageLibisofs(benchmark::State& state) {
    BenchMedium& medium = TheMedium();
    CancellingPrompter prompter;
    SilentProgress progress;
    const std::string image = medium.Root + "/disk1.iso";
    for (auto _ : state) {
        const DiscImageResult result =
            WriteDiscImage(medium.Sources, TreeRule{}, image, DiscVolumeId("disk", 1),
                           WorkTitle{MediumWork::MakingImage, 1}, prompter, progress);
        if (result.State != DiscImageResult::Outcome::Written)
            state.SkipWithError("the image failed");
        state.PauseTiming();
        fs::remove(image);
        ::sync();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * FileCount * static_cast<std::int64_t>(FileSize));
}

void BM_WriteImageXorrisoReference(benchmark::State& state) {
    BenchMedium& medium = TheMedium();
    const std::string image = medium.Root + "/xorriso.iso";
    const std::string command =
        "xorriso -as mkisofs -quiet -R -J -joliet-long --md5 -V DISK1 -o '" + image + "' '" +
        medium.Root + "/medium' >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("xorriso failed");
        state.PauseTiming();
        fs::remove(image);
        ::sync();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * FileCount * static_cast<std::int64_t>(FileSize));
}

}  // namespace

BENCHMARK(BM_WriteImageLibisofs)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_WriteImageXorrisoReference)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

BENCHMARK_MAIN();
