// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PathCompare.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/PathNames.h"

namespace {

TEST(PathCompareTest, CaseInsensitiveWithByteTies) {
    EXPECT_LT(ComparePaths("/a/song.mp3", "/a/Song.zzz"), 0);
    EXPECT_LT(ComparePaths("/a/aaa", "/a/SONG.mp3"), 0);
    // Two files where the file systems tell letter case apart, one on Windows.
    EXPECT_EQ(ComparePaths("/a/Song.mp3", "/a/song.mp3") == 0, !PathsTellCaseApart);
    EXPECT_EQ(ComparePaths("/a/Song.mp3", "/a/Song.mp3"), 0);
    EXPECT_EQ(ComparePaths("/a/b", "/a/c"), -ComparePaths("/a/c", "/a/b"));
    EXPECT_TRUE(SamePath("/x/Файл", "/x/Файл"));
    EXPECT_EQ(SamePath("/x/Файл", "/x/файл"), !PathsTellCaseApart);
}

TEST(PathCompareTest, SortKeysOrderAsTheComparison) {
    const std::vector<std::string> pieces{"a", "A", "b", "B", "Я", "я", "ё", "Ё", "1",
                                          "_", " ", ".", "/", "z", "Z", "ä", "Ä"};
    std::mt19937 random(7);
    std::vector<std::string> paths;
    for (int i = 0; i < 400; ++i) {
        std::string path = "/";
        const int length = std::uniform_int_distribution<int>(0, 6)(random);
        for (int j = 0; j < length; ++j)
            path +=
                pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        paths.push_back(path);
    }
    std::vector<const std::string*> pointers;
    for (const auto& path : paths)
        pointers.push_back(&path);
    const PathSortKeys keys(pointers);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        for (std::size_t j = 0; j < paths.size(); j += 7) {
            EXPECT_EQ(keys.Less(i, j), ComparePaths(paths[i], paths[j]) < 0)
                << paths[i] << " | " << paths[j];
        }
    }
}

}  // namespace
