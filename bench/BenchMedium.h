// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/FileOperation.h"
#include "platform/FileOperationProgress.h"

// A progress nobody watches or cancels.
class SilentProgress : public FileOperationProgress {
public:
    void Started(const WorkTitle&, std::uint64_t, std::size_t, std::size_t) override {}
    void Advanced(std::uint64_t, const std::string&) override {}
    bool CancelRequested() override { return false; }
    void Finished() override {}
};

// A medium of count files of size bytes each, made in a folder beside the working directory (so
// on the file system the benchmark is asked to measure; $VANTREL_BENCH_DIR names another) and
// removed again. Every file differs from the others every `stride` bytes, so nothing below can
// share blocks between them.
struct BenchMedium {
    BenchMedium(const char* folder, int count, std::size_t size, std::size_t stride) {
        namespace fs = std::filesystem;
        const char* base = std::getenv("VANTREL_BENCH_DIR");
        Root = fs::absolute(base != nullptr ? base : folder).string();
        fs::remove_all(Root);
        fs::create_directories(Root + "/medium");
        std::string block(size, '\0');
        for (int i = 0; i < count; ++i) {
            for (std::size_t j = 0; j < block.size(); j += stride)
                block[j] = static_cast<char>(i + j / stride);
            const std::string path = Root + "/medium/file " + std::to_string(i) + ".bin";
            std::ofstream(path, std::ios::binary)
                .write(block.data(), static_cast<std::streamsize>(block.size()));
            Sources.push_back({path, false});
        }
        // No measurement is to pay for writing back what making the files left in the cache.
        ::sync();
    }
    ~BenchMedium() { std::filesystem::remove_all(Root); }
    BenchMedium(const BenchMedium&) = delete;
    BenchMedium& operator=(const BenchMedium&) = delete;

    std::string Root;
    std::vector<FileOperationSource> Sources;
};
