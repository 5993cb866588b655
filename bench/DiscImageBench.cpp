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

#include "disc/DiscImage.h"
#include "platform/FileOperationProgress.h"
#include "tests/doubles/CancellingPrompter.h"

namespace fs = std::filesystem;

namespace {

constexpr int FileCount = 2000;
// 2 000 files of this length fill a "700 МБ" medium's image to 98 %.
constexpr std::size_t FileSize = 360000;

class SilentProgress : public FileOperationProgress {
public:
    void Started(const std::string&, std::uint64_t, std::size_t, std::size_t) override {}
    void Advanced(std::uint64_t, const std::string&) override {}
    bool CancelRequested() override { return false; }
    void Finished() override {}
};

// The medium's files, made once in a folder beside the working directory (so on the file system
// the benchmark is asked to measure) and removed at exit.
struct Medium {
    Medium() {
        const char* base = std::getenv("VANTREL_BENCH_DIR");
        Root = fs::absolute(base != nullptr ? base : "vantrel-bench-image").string();
        fs::remove_all(Root);
        fs::create_directories(Root + "/medium");
        std::string block(FileSize, '\0');
        for (int i = 0; i < FileCount; ++i) {
            for (std::size_t j = 0; j < block.size(); j += 512)
                block[j] = static_cast<char>(i + j / 512);
            const std::string path = Root + "/medium/file " + std::to_string(i) + ".bin";
            std::ofstream(path, std::ios::binary)
                .write(block.data(), static_cast<std::streamsize>(block.size()));
            Sources.push_back({path, false});
        }
        // Neither side is to pay for writing back what the other left in the cache.
        ::sync();
    }
    ~Medium() { fs::remove_all(Root); }

    std::string Root;
    std::vector<FileOperationSource> Sources;
};

Medium& TheMedium() {
    static Medium medium;
    return medium;
}

void BM_WriteImageLibisofs(benchmark::State& state) {
    Medium& medium = TheMedium();
    CancellingPrompter prompter;
    SilentProgress progress;
    const std::string image = medium.Root + "/disk1.iso";
    for (auto _ : state) {
        const DiscImageResult result = WriteDiscImage(
            medium.Sources, image, DiscVolumeId("disk", 1), "image", prompter, progress);
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
    Medium& medium = TheMedium();
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
