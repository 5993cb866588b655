// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the image of a 700 МБ medium of 2 000 files with the image writer, against
// `xorriso -as mkisofs` with the same extensions and MD5s writing the same files on the same file
// system, each with the files in the system's cache (warm) and read from the disk (cold: the
// cache is dropped before every run, which takes root). Then the disc count beside the image
// libisofs lays out for a 700 МБ medium filled by the count, per shape of items: the count's
// excess over the image in percent of the capacity (over_pct).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchMedium.h"
#include "disc/DiscFootprint.h"
#include "disc/DiscImage.h"
#include "tests/doubles/CancellingPrompter.h"

namespace fs = std::filesystem;

namespace {

constexpr int FileCount = 2000;
// 2 000 files of this length fill a "700 МБ" medium's image to 98 %.
constexpr std::size_t FileSize = 360000;
constexpr std::uint64_t Capacity = 734003200;

BenchMedium& TheMedium() {
    static BenchMedium medium("vantrel-bench-image", FileCount, FileSize, 512);
    return medium;
}

// Drops the system's cache of file contents, after writing back what is dirty; false when this
// process may not.
bool DropCaches() {
    ::sync();
    std::ofstream control("/proc/sys/vm/drop_caches");
    control << "3\n";
    control.flush();
    return static_cast<bool>(control);
}

// Runs write once per iteration, timed, with the cache dropped before each when cold is asked
// (state.range(0) == 1); the image is removed and synced away untimed.
void MeasureImageWriting(benchmark::State& state, const std::string& image,
                         const std::function<bool()>& write) {
    const bool cold = state.range(0) == 1;
    for (auto _ : state) {
        state.PauseTiming();
        if (cold && !DropCaches()) {
            state.SkipWithError("dropping the cache takes root");
            break;
        }
        state.ResumeTiming();
        if (!write()) {
            state.SkipWithError("the image failed");
            break;
        }
        state.PauseTiming();
        fs::remove(image);
        ::sync();
        state.ResumeTiming();
    }
    state.SetLabel(cold ? "cold" : "warm");
    state.SetBytesProcessed(state.iterations() * FileCount * static_cast<std::int64_t>(FileSize));
}

void BM_WriteImageLibisofs(benchmark::State& state) {
    BenchMedium& medium = TheMedium();
    CancellingPrompter prompter;
    SilentProgress progress;
    const std::string image = medium.Root + "/disk1.iso";
    MeasureImageWriting(state, image, [&] {
        return WriteDiscImage(medium.Sources, TreeRule{}, image, DiscVolumeId("disk", 1),
                              WorkTitle{MediumWork::MakingImage, 1}, prompter, progress)
                   .State == DiscImageResult::Outcome::Written;
    });
}

void BM_WriteImageXorrisoReference(benchmark::State& state) {
    BenchMedium& medium = TheMedium();
    const std::string image = medium.Root + "/xorriso.iso";
    const std::string command =
        "xorriso -as mkisofs -quiet -R -J -joliet-long --md5 -V DISK1 -o '" + image + "' '" +
        medium.Root + "/medium' >/dev/null 2>&1";
    MeasureImageWriting(state, image, [&] { return std::system(command.c_str()) == 0; });
}

// Makes item number index of a shape inside root; returns its path.
using ItemMaker = std::function<std::string(const std::string& root, int index)>;

// Item names that come in descending order: libisofs keeps a folder's entries in a list sorted
// by name, so adding each item before the others keeps building a tree of 100 000 items linear.
std::string Descending(int index) {
    return std::to_string(999999 - index);
}

std::string MakeFile(const std::string& path, std::uint64_t length) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary).flush();
    fs::resize_file(path, length);  // sparse: only the length matters to the count and layout
    return path;
}

std::string Cyrillic(int index) {
    std::string name;
    for (int i = 0; i < 5; ++i)
        name += "Фотография ";
    return name + std::to_string(index);
}

struct Shape {
    const char* Name;
    ItemMaker Make;
};

const Shape Shapes[] = {
    {"ten_1_byte_files_per_folder",
     [](const std::string& root, int index) {
         const std::string folder = root + "/" + Descending(index);
         for (int i = 0; i < 10; ++i)
             MakeFile(folder + "/IMG_" + std::to_string(i), 1);
         return folder;
     }},
    {"one_file_per_folder",
     [](const std::string& root, int index) {
         const std::string folder = root + "/folder" + Descending(index);
         MakeFile(folder + "/file.txt", 1);
         return folder;
     }},
    {"empty_folders",
     [](const std::string& root, int index) {
         const std::string folder = root + "/folder" + Descending(index);
         fs::create_directories(folder);
         return folder;
     }},
    {"a_few_big_files",
     [](const std::string& root, int index) {
         return MakeFile(root + "/video " + Descending(index) + ".mkv",
                         100000000 + static_cast<std::uint64_t>(index) * 7919);
     }},
    {"photo_tree",
     [](const std::string& root, int index) {
         const std::string folder = root + "/" + Descending(index) + "CANON";
         for (int i = 0; i < 20; ++i)
             MakeFile(folder + "/IMG_" + std::to_string(1000 + i) + ".JPG",
                      2000000 + static_cast<std::uint64_t>(i) * 30011);
         return folder;
     }},
    {"long_cyrillic_names",
     [](const std::string& root, int index) {
         const std::string folder = root + "/" + Cyrillic(999999 - index);
         for (int i = 0; i < 20; ++i)
             MakeFile(folder + "/" + Cyrillic(i) + ".jpg", 300000);
         return folder;
     }},
    {"deep_paths",
     [](const std::string& root, int index) {
         const std::string folder = root + "/tree" + Descending(index);
         std::string path = folder;
         for (int depth = 0; depth < 30; ++depth) {
             path += "/level " + std::to_string(depth);
             MakeFile(path + "/notes.txt", 100000);
         }
         return folder;
     }},
};

// Fills a medium with items of one shape while their count fits, then compares the count with
// the size of the image libisofs lays out for them.
void BM_FootprintOverImage(benchmark::State& state) {
    const Shape& shape = Shapes[state.range(0)];
    const char* base = std::getenv("VANTREL_BENCH_DIR");
    const std::string root =
        fs::absolute(base != nullptr ? base : "vantrel-bench-footprint").string();
    for (auto _ : state) {
        fs::remove_all(root);
        std::vector<FileOperationSource> sources;
        std::uint64_t footprint = DiscImageReserve();
        for (int index = 0;; ++index) {
            const std::string item = shape.Make(root, index);
            const std::uint64_t size = DiscFootprint(item, false, TreeRule{});
            if (footprint + size > Capacity) {
                fs::remove_all(item);
                break;
            }
            footprint += size;
            sources.push_back({item, false});
        }
        const auto image = DiscImageSize(sources, TreeRule{});
        fs::remove_all(root);
        if (!image || *image > footprint) {
            state.SkipWithError(image ? "the count is below the image" : "no image");
            break;
        }
        state.counters["items"] = static_cast<double>(sources.size());
        state.counters["image_MB"] = static_cast<double>(*image) / 1e6;
        state.counters["count_MB"] = static_cast<double>(footprint) / 1e6;
        state.counters["over_pct"] =
            100.0 * static_cast<double>(footprint - *image) / static_cast<double>(Capacity);
    }
    state.SetLabel(shape.Name);
}

}  // namespace

BENCHMARK(BM_WriteImageLibisofs)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(BM_WriteImageXorrisoReference)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(BM_FootprintOverImage)
    ->DenseRange(0, static_cast<int>(std::size(Shapes)) - 1)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

BENCHMARK_MAIN();
