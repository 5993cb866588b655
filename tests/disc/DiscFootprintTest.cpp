// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/DiscFootprint.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "disc/DiscImage.h"
#include "tests/doubles/CancellingPrompter.h"
#include "tests/doubles/RecordingProgress.h"
#include "tests/doubles/TempFolder.h"

namespace {

// Builds a set of items in the folder and returns the items' paths.
using SetBuilder = std::function<std::vector<std::string>(const TempFolder&)>;

std::string LastComponentOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

struct FootprintCase {
    const char* Name;
    SetBuilder Build;
    // Many small entries: the count must stay within 2 % of the medium they fill, or the
    // division believes media full that are far from it; the image is written as well.
    bool Dense = false;
};

const FootprintCase Cases[] = {
    {"nothing", [](const TempFolder&) { return std::vector<std::string>{}; }},
    {"thousands of empty files",
     [](const TempFolder& folder) {
         for (int i = 0; i < 5000; ++i)
             folder.MakeFile("empty/" + std::to_string(i), 0);
         return std::vector<std::string>{folder / "empty"};
     }},
    {"empty files at the root",
     [](const TempFolder& folder) {
         std::vector<std::string> items;
         for (int i = 0; i < 1500; ++i)
             items.push_back(folder.MakeFile("root/" + Repeat("f", 40) + std::to_string(i), 0));
         return items;
     }},
    {"names at the length limits",
     [](const TempFolder& folder) {
         std::vector<std::string> names;
         for (const std::size_t length :
              {8, 12, 30, 31, 32, 37, 38, 63, 64, 65, 102, 103, 104, 249, 250, 251, 255})
             names.push_back(Repeat("n", length));
         for (const std::size_t length : {32, 64, 103, 127})
             names.push_back(Repeat("я", length));
         names.push_back(Repeat("a.", 127));
         std::vector<std::string> items;
         for (const std::string& name : names) {
             items.push_back(folder.MakeFile(name, 1));
             for (int i = 0; i < 20; ++i)
                 folder.MakeFile(
                     "named/" + name.substr(0, name.size() - 3) + std::to_string(100 + i), 2049);
             folder.MakeFolder("named/d" + name.substr(1));
         }
         items.push_back(folder / "named");
         return items;
     }},
    {"deep tree",
     [](const TempFolder& folder) {
         std::string path = "deep";
         for (int depth = 0; depth < 40; ++depth) {
             path += "/" + Repeat(depth % 2 == 0 ? "d" : "ж", 50) + std::to_string(depth);
             folder.MakeFile(path + "/file", 3);
         }
         return std::vector<std::string>{folder / "deep"};
     }},
    {"one file of 4 GiB",
     [](const TempFolder& folder) {
         return std::vector<std::string>{folder.MakeFile("large", (std::uint64_t{4} << 30) + 1),
                                         folder.MakeFile("exact", 0xFFFFF800)};
     }},
    {"many folders",
     [](const TempFolder& folder) {
         for (int i = 0; i < 2000; ++i)
             folder.MakeFolder("many/" + std::to_string(i) + "/" + Repeat("s", i % 200 + 1));
         for (int i = 0; i < 300; ++i)
             for (int j = 0; j < 5; ++j)
                 folder.MakeFile("full/" + std::to_string(i) + "/" + std::to_string(j), 5000);
         return std::vector<std::string>{folder / "many", folder / "full"};
     }},
    {"folders of ten 1-byte files",
     [](const TempFolder& folder) {
         std::vector<std::string> items;
         for (int i = 0; i < 1000; ++i) {
             for (int j = 0; j < 10; ++j)
                 folder.MakeFile("ten/" + std::to_string(i) + "/IMG_" + std::to_string(j), 1);
             items.push_back(folder / ("ten/" + std::to_string(i)));
         }
         return items;
     },
     true},
    {"folders of one file",
     [](const TempFolder& folder) {
         std::vector<std::string> items;
         for (int i = 0; i < 3000; ++i)
             items.push_back(folder.MakeFolder("one/" + std::to_string(i)));
         for (int i = 0; i < 3000; ++i)
             folder.MakeFile("one/" + std::to_string(i) + "/file.txt", 1000);
         return items;
     },
     true},
    {"empty folders",
     [](const TempFolder& folder) {
         std::vector<std::string> items;
         for (int i = 0; i < 5000; ++i)
             items.push_back(folder.MakeFolder("none/folder" + std::to_string(i)));
         return items;
     },
     true},
    {"names that clash in one tree",
     [](const TempFolder& folder) {
         std::vector<std::string> items;
         for (int i = 0; i < 60; ++i) {
             const std::string n = std::to_string(i);
             for (const std::string& name :
                  {"case" + n, "CASE" + n, "Case" + n + ".txt", "CASE" + n + ".TXT", "a:b" + n,
                   "a_b" + n, "x*" + n, "x?" + n, Repeat("l", 40) + n})
                 items.push_back(folder.MakeFile("clash/" + name, 100));
             items.push_back(folder.MakeFolder("clash/dir.x" + n));
             items.push_back(folder.MakeFolder("clash/DIR_X" + n));
         }
         for (const std::string& name : items)
             folder.MakeFile("inside/" + LastComponentOf(name), 3);
         items.push_back(folder / "inside");
         return items;
     }},
    {"photo tree of mid-size files",
     [](const TempFolder& folder) {
         for (int day = 0; day < 20; ++day)
             for (int shot = 0; shot < 60; ++shot)
                 folder.MakeFile("DCIM/" + std::to_string(100 + day) + "CANON/IMG_" +
                                     std::to_string(1000 + day * 60 + shot) + ".JPG",
                                 30000 + static_cast<std::uint64_t>(shot) * 997);
         return std::vector<std::string>{folder / "DCIM"};
     }},
    {"long Cyrillic names",
     [](const TempFolder& folder) {
         std::vector<std::string> items;
         for (int i = 0; i < 200; ++i) {
             const std::string name = Repeat("Фотография ", 1 + i % 11) + std::to_string(i);
             folder.MakeFile("ru/" + name + "/" + name + ".jpg", 5000);
             items.push_back(folder / ("ru/" + name));
         }
         return items;
     }},
    {"links and hidden files",
     [](const TempFolder& folder) {
         for (int i = 0; i < 300; ++i) {
             const std::string link = folder / ("links/l" + std::to_string(i));
             folder.MakeFolder("links");
             const std::string target = Repeat("../t", 1 + i % 60);
             EXPECT_EQ(::symlink(target.c_str(), link.c_str()), 0);
             folder.MakeFile("links/.hidden" + std::to_string(i), 100);
         }
         return std::vector<std::string>{folder / "links"};
     }},
};

// Would catch a footprint count below what libisofs really writes (an image that does not fit
// its medium although the division said it would), a count so far above it for many small
// entries that media are believed full when they are not, and a size computed without the
// checksums' records that are written.
TEST(DiscFootprintTest, NeverBelowTheImageLibisofsWrites) {
    for (const FootprintCase& test : Cases) {
        SCOPED_TRACE(test.Name);
        TempFolder folder;
        const std::vector<std::string> items = test.Build(folder);
        std::uint64_t footprint = DiscImageReserve();
        std::vector<FileOperationSource> sources;
        for (const std::string& item : items) {
            footprint += DiscFootprint(item, false, {});
            sources.push_back({item, false});
        }
        const auto size = DiscImageSize(sources, {});
        ASSERT_TRUE(size.has_value());
        EXPECT_GE(footprint, *size);
        if (test.Dense) {
            EXPECT_LT(footprint - *size, footprint / 50);
            CancellingPrompter prompter;
            RecordingProgress progress;
            const std::string image = folder / "image.iso";
            EXPECT_EQ(WriteDiscImage(sources, {}, image, "DISK1",
                                     WorkTitle{MediumWork::MakingImage, 1}, prompter, progress)
                          .Size,
                      *size);
            EXPECT_EQ(std::filesystem::file_size(image), *size);
        }
        std::printf(
            "%-30s image %12llu footprint %12llu over by %llu (%.2f %%)\n", test.Name,
            static_cast<unsigned long long>(*size), static_cast<unsigned long long>(footprint),
            static_cast<unsigned long long>(footprint - *size),
            *size == 0
                ? 0.0
                : 100.0 * static_cast<double>(footprint - *size) / static_cast<double>(*size));
    }
}

}  // namespace
