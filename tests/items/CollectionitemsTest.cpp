// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/Collectionitems.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/IconList.h"
#include "tests/doubles/FileKinds.h"
#include "tests/doubles/TempFolder.h"

namespace {

constexpr std::uint64_t FiveGiB = 5ULL << 30;

PlainIconList Icons;

TEST(NameOfPath, LastComponentOrTheRoot) {
    const struct {
        const char* Path;
        const char* Name;
    } cases[] = {
        {"/home/user/file.txt", "file.txt"},
        {"/home/user/folder/", "folder"},
        {"relative", "relative"},
        {"/", "/"},
        {"//", "/"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameOfPath(c.Path), c.Name) << c.Path;
}

TEST(ItemFromPath, FileIsMeasuredAndNamed) {
    TempFolder folder;
    const std::string path = folder.Write("song.mp3", std::string(1234, 'x'));
    const TColItem item = ItemFromPath(path, Icons);
    EXPECT_EQ(item.Name, "song.mp3");
    EXPECT_EQ(item.Path, path);
    EXPECT_EQ(item.Size, 1234U);
    EXPECT_EQ(item.Group, 0U);
    EXPECT_EQ(item.Position, nullptr);
    EXPECT_NE(item.IconIndex, -1);
}

TEST(ItemFromPath, FolderSumsVisibleFilesOnly) {
    TempFolder folder;
    folder.MakeFile("f/a", 100);
    folder.MakeFile("f/sub/b", 20);
    folder.MakeFile("f/sub/deeper/c", 3);
    folder.MakeFile("f/.hidden", 1000);
    folder.MakeFile("f/.hiddensub/d", 10000);
    folder.MakeFolder("f/empty");
    MakeSystemEntry(folder / "f/pipe");
    const TColItem item = ItemFromPath(folder / "f", Icons);
    EXPECT_EQ(item.Name, "f");
    EXPECT_EQ(item.Size, 123U);
    EXPECT_EQ(FolderSize(folder / "f/"), 123U);
    EXPECT_NE(item.IconIndex, -1);
}

TEST(ItemFromPath, FolderOfHiddenFilesOnlyIsEmpty) {
    TempFolder folder;
    folder.MakeFile("f/.a", 10);
    folder.MakeFile("f/.b/c", 10);
    EXPECT_EQ(ItemFromPath(folder / "f", Icons).Size, 0U);
}

TEST(ItemFromPath, HiddenFileChosenDirectlyIsMeasured) {
    TempFolder folder;
    const std::string hidden = folder.MakeFile("f/.secret", 77);
    EXPECT_EQ(ItemFromPath(hidden, Icons).Size, 77U);
    EXPECT_EQ(ItemFromPath(hidden, Icons).Name, ".secret");
    EXPECT_EQ(ItemFromPath(folder / "f", Icons).Size, 0U);
}

TEST(ItemFromPath, FilesBeyondFourGiBAreMeasuredInFull) {
    TempFolder folder;
    const std::string big = folder.MakeFile("f/big", FiveGiB);
    folder.MakeFile("f/small", 1);
    EXPECT_EQ(ItemFromPath(big, Icons).Size, FiveGiB);
    EXPECT_EQ(ItemFromPath(folder / "f", Icons).Size, FiveGiB + 1);
}

TEST(ItemFromPath, LinkLoopInsideAFolderIsCountedAsALink) {
    TempFolder folder;
    folder.MakeFile("f/a", 10);
    const std::string target = folder / "f";
    MAKE_LINK_OR_SKIP(target, folder / "f/loop");
    MAKE_LINK_OR_SKIP("..", folder / "f/up");
    // Each link counts with its own length, the length of the text it points with.
    EXPECT_EQ(ItemFromPath(folder / "f", Icons).Size, 10U + target.size() + 2U);
}

TEST(ItemFromPath, LinkChosenDirectlyStandsForItsTarget) {
    TempFolder folder;
    const std::string file = folder.MakeFile("file", 500);
    MAKE_LINK_OR_SKIP(file, folder / "link");
    EXPECT_EQ(ItemFromPath(folder / "link", Icons).Size, 500U);
}

// A vanished path was measured as an empty folder, "0 Б", and so placed on a medium.
TEST(ItemFromPath, VanishedPathHasAnUnknownSizeAndNoIcon) {
    TempFolder folder;
    const TColItem item = ItemFromPath(folder / "gone", Icons);
    EXPECT_EQ(item.Name, "gone");
    EXPECT_EQ(item.Size, UnreadableFileSize);
    EXPECT_EQ(item.IconIndex, -1);
}

TEST(ItemFromTrack, TakesTitleAndPlayingTime) {
    TempFolder folder;
    const std::string path = folder.MakeFile("t.mp3", 5);
    const TColItem track = ItemFromTrack(path, "Artist - Song", 20500, Icons);
    EXPECT_EQ(track.Name, "Artist - Song");
    EXPECT_EQ(track.Path, path);
    EXPECT_EQ(track.Size, 20500U);
    EXPECT_EQ(track.Group, 0U);
    EXPECT_EQ(track.Position, nullptr);
    EXPECT_NE(track.IconIndex, -1);
    EXPECT_EQ(ItemFromTrack("D:\\Track05.cda", "Five", 100, Icons).IconIndex, -1);
}

TEST(TColItem, CopyTakesTheValuesButNeverTheCell) {
    TColItems items;
    items.emplace_back("n", "/p", 3, 42, 7);
    items.back().Position = std::make_unique<TItemPosition>(items.begin());
    const TColItem copy = items.back();
    EXPECT_EQ(copy.Name, "n");
    EXPECT_EQ(copy.Path, "/p");
    EXPECT_EQ(copy.IconIndex, 3);
    EXPECT_EQ(copy.Size, 42U);
    EXPECT_EQ(copy.Group, 7U);
    EXPECT_EQ(copy.Position, nullptr);
    TColItem assigned;
    assigned.Position = std::make_unique<TItemPosition>(items.begin());
    assigned = items.back();
    EXPECT_EQ(assigned.Size, 42U);
}

TEST(TColGroup, AddItemCountsTheAllowancePerMemberAndKeepsOrder) {
    TColItems items;
    items.emplace_back("a", "/a", -1, 20500);
    items.emplace_back("b", "/b", -1, 18000);
    TColGroup group;
    EXPECT_EQ(group.AddItem(std::next(items.begin()), 150), 18150U);
    EXPECT_EQ(group.AddItem(items.begin(), 150), 20500U + 18000U + 300U);
    EXPECT_EQ(group.Size, 38800U);
    ASSERT_EQ(group.Items.size(), 2U);
    EXPECT_EQ(group.Items[0]->Path, "/b");
    EXPECT_EQ(group.Items[1]->Path, "/a");
}

TEST(TColGroup, SizeSaturatesInsteadOfWrapping) {
    TColItems items;
    items.emplace_back("big", "/big", -1, UINT64_MAX - 10);
    items.emplace_back("b", "/b", -1, 100);
    TColGroup group;
    group.AddItem(items.begin(), 0);
    EXPECT_EQ(group.AddItem(std::next(items.begin()), 0), UINT64_MAX);
    EXPECT_EQ(SaturatingAdd(UINT64_MAX, 1), UINT64_MAX);
    EXPECT_EQ(SaturatingAdd(1ULL << 32, 1ULL << 32), 1ULL << 33);
}

}  // namespace
