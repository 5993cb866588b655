// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/Tdatamanager.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "collection/ValueTexts.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/OrdinaryUser.h"
#include "tests/doubles/PosixOnly.h"
#include "tests/doubles/TempFolder.h"

namespace {

class DataManagerTest : public ::testing::Test {
protected:
    DataManagerTest() : Manager(Parts.Collection, Parts.Medium, Parts.Host()) {}

    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (const TColItem& item : Manager.GetItems())
            paths.push_back(item.Path);
        return paths;
    }

    const TColItem& ItemAt(const std::string& path) const {
        for (const TColItem& item : Manager.GetItems())
            if (item.Path == path)
                return item;
        throw std::runtime_error("no item " + path);
    }

    std::uint64_t SumOfSizes() const {
        std::uint64_t sum = 0;
        for (const TColItem& item : Manager.GetItems())
            sum += item.Size;
        return sum;
    }

    // Every row of the collection list mirrors the item in the same place of the collection.
    void ExpectRowsMirrorItems() const {
        ASSERT_EQ(Parts.Collection.RowCount(), Manager.GetItems().size());
        std::size_t row = 0;
        for (const TColItem& item : Manager.GetItems()) {
            const auto& shown = Parts.Collection.Rows[row];
            EXPECT_EQ(shown.Caption, item.Name);
            EXPECT_EQ(shown.Image, item.IconIndex);
            EXPECT_EQ(shown.Data, item.Position.get());
            ASSERT_NE(item.Position, nullptr);
            EXPECT_EQ(&**item.Position, &item);
            ASSERT_EQ(shown.SubItems.size(), 2U);
            EXPECT_EQ(shown.SubItems[0], Manager.ValueText(item.Size));
            EXPECT_EQ(shown.SubItems[1], item.Group == 0 ? "нет" : std::to_string(item.Group));
            ++row;
        }
    }

    void SelectRows(InMemoryListView& view, const std::vector<std::size_t>& rows) {
        for (const std::size_t row : rows)
            view.Select(row);
    }

    TempFolder Folder;
    DataManagerFixtureParts Parts;
    TDataManager Manager;
};

TEST_F(DataManagerTest, StartsEmpty) {
    EXPECT_TRUE(Manager.GetItems().empty());
    EXPECT_EQ(Manager.GetTotalSize(), 0U);
    EXPECT_TRUE(Manager.GetItemsAreFiles());
    EXPECT_TRUE(Manager.GetMedia().empty());
    EXPECT_TRUE(Manager.GetGroups().empty());
    EXPECT_EQ(Manager.GetThread(), nullptr);
    EXPECT_EQ(&Manager.lstCollection, &Parts.Collection);
    EXPECT_EQ(&Manager.lstMedium, &Parts.Medium);
}

// ---- ValueText and ScaledNumberText ----

struct ValueCase {
    std::uint64_t Value;
    const char* Text;
};

TEST_F(DataManagerTest, ValueTextOfBytesAtUnitBorders) {
    const ValueCase cases[] = {
        {0, "0 Б"},
        {1023, "1023 Б"},
        {1024, "1.00 кБ"},
        {1048575, "1024 кБ"},
        {1048576, "1.00 МБ"},
        {1073741823, "1024 МБ"},
        {1073741824, "1.00 ГБ"},
        {4700000000, "4.38 ГБ"},
        {1536, "1.50 кБ"},
        {734003200, "700 МБ"},
        {10 * 1024 - 1, "10.00 кБ"},  // 9.999 rounds up under two decimals
        {10 * 1024, "10.0 кБ"},
        {UINT64_MAX, "17179869184 ГБ"},
        // The quotient is rounded to single precision before it is formatted.
        {16829645, "16.0 МБ"},
        {17249075, "16.5 МБ"},
        {4708357888, "4.39 ГБ"},
        // Exact halves go away from zero.
        {1152, "1.13 кБ"},
        {10496, "10.3 кБ"},
        {102912, "101 кБ"},
        {734527488, "701 МБ"},
    };
    Manager.SetCollectionType(FilesAndFolders);
    for (const ValueCase& c : cases)
        EXPECT_EQ(Manager.ValueText(c.Value), c.Text) << c.Value;
}

TEST_F(DataManagerTest, ValueTextOfPlayingTimes) {
    const ValueCase cases[] = {
        {0, "00:00"},        {99, "00:00"},         {6000, "01:00"},   {20500, "03:25"},
        {360000, "1:00:00"}, {9000000, "25:00:00"}, {359999, "59:59"}, {36000000, "100:00:00"},
    };
    Manager.SetCollectionType(MusicTracks);
    for (const ValueCase& c : cases)
        EXPECT_EQ(Manager.ValueText(c.Value), c.Text) << c.Value;
}

TEST_F(DataManagerTest, ValueTextFollowsTheCurrentCollectionTypeAndIsEmptyForOthers) {
    Manager.SetCollectionType(FilesAndFolders);
    EXPECT_EQ(Manager.ValueText(6000), "5.86 кБ");
    Manager.SetCollectionType(MusicTracks);
    EXPECT_EQ(Manager.ValueText(6000), "01:00");
    Manager.SetCollectionType(static_cast<CollectionKind>(2));
    EXPECT_EQ(Manager.ValueText(6000), "");
}

// "Образ ISO: до 700 МБ из 700 МБ" hid how close an image came to its disc: two decimals always.
TEST(PreciseSizeText, TwoDecimalsInEveryUnit) {
    const ValueCase cases[] = {
        {1023, "1023 Б"},        {734003200, "700.00 МБ"}, {733867950, "699.87 МБ"},
        {4700000000, "4.38 ГБ"}, {1536, "1.50 кБ"},
    };
    for (const ValueCase& c : cases)
        EXPECT_EQ(PreciseSizeText(c.Value), c.Text) << c.Value;
    EXPECT_EQ(PreciseSizeText(733867950, TextLanguage::English), "699.87 MB");
}

// Catches a unit or the "no group" text left Russian (or a number changed) when the window
// speaks English, which the list views and list files then carry.
TEST_F(DataManagerTest, ValueTextFollowsTheTextLanguage) {
    const ValueCase cases[] = {
        {1023, "1023 B"}, {1536, "1.50 KB"}, {734003200, "700 MB"}, {4700000000, "4.38 GB"}};
    Manager.SetTextLanguage(TextLanguage::English);
    for (const ValueCase& c : cases)
        EXPECT_EQ(Manager.ValueText(c.Value), c.Text) << c.Value;
    Manager.SetCollectionType(MusicTracks);
    EXPECT_EQ(Manager.ValueText(360000), "1:00:00");
    Manager.SetCollectionType(FilesAndFolders);
    Manager.AddItems({Folder.MakeFile("a", 10)}, AddFiles);
    EXPECT_EQ(Parts.Collection.Rows[0].SubItems, (std::vector<std::string>{"10 B", "none"}));
    Manager.SetTextLanguage(TextLanguage::Russian);
    EXPECT_EQ(Manager.ValueText(1536), "1.50 кБ");
}

TEST(ScaledNumberText, DecimalsByMagnitudeWithOrdinaryRounding) {
    EXPECT_EQ(ScaledNumberText(99.96F), "100.0");
    EXPECT_EQ(ScaledNumberText(100.0F), "100");
    EXPECT_EQ(ScaledNumberText(1023.6F), "1024");
    EXPECT_EQ(ScaledNumberText(10.0F), "10.0");
    EXPECT_EQ(ScaledNumberText(9.994F), "9.99");
    EXPECT_EQ(ScaledNumberText(0.0F), "0.00");
    // The half is judged on the float's exact value: 1.115F lies above 1.115, 1.125F on it, and
    // the float just below 1.125 under it.
    EXPECT_EQ(ScaledNumberText(1.115F), "1.12");
    EXPECT_EQ(ScaledNumberText(0.125F), "0.13");
    EXPECT_EQ(ScaledNumberText(std::nextafter(1.125F, 0.0F)), "1.12");
    EXPECT_EQ(ScaledNumberText(2.5F), "2.50");
}

// ---- AddItems ----

TEST_F(DataManagerTest, AddFilesSortsCaseInsensitivelyAndCountsTheTotal) {
    const std::string b = Folder.MakeFile("b.txt", 200);
    const std::string upperA = Folder.MakeFile("A.txt", 100);
    const std::string c = Folder.MakeFile("c.txt", 5000000000ULL);  // beyond 32 bits
    Manager.AddItems({c, b, upperA}, AddFiles);
    EXPECT_EQ(Paths(), (std::vector<std::string>{upperA, b, c}));
    EXPECT_EQ(Manager.GetTotalSize(), 5000000300ULL);
    EXPECT_EQ(ItemAt(c).Size, 5000000000ULL);
    EXPECT_EQ(ItemAt(b).Name, "b.txt");
    ExpectRowsMirrorItems();
    EXPECT_EQ(Parts.Collection.Rows[2].SubItems[0], "4.66 ГБ");
    EXPECT_EQ(Parts.Collection.UpdateDepth, 0);
    EXPECT_EQ(Parts.Collection.ReservedRows, 3U);
    EXPECT_TRUE(Parts.Prompter.Asked.empty());
}

TEST_F(DataManagerTest, DuplicateLeavesTheEarlierItemWithItsGroup) {
    const std::string a = Folder.MakeFile("a", 10);
    const std::string b = Folder.MakeFile("b", 20);
    Manager.AddItems({a}, AddFiles);
    Parts.Collection.Select(0);
    Manager.SetGroupOfSelected(3);
    const TItemPosition* cellOfA = ItemAt(a).Position.get();

    Manager.AddItems({b, a, a}, AddFiles);
    EXPECT_EQ(Paths(), (std::vector<std::string>{a, b}));
    EXPECT_EQ(ItemAt(a).Group, 3U);
    EXPECT_EQ(ItemAt(a).Position.get(), cellOfA);
    EXPECT_EQ(Manager.GetTotalSize(), 30U);
    EXPECT_EQ(Manager.GetTotalSize(), SumOfSizes());
    ExpectRowsMirrorItems();
}

TEST_F(DataManagerTest, PathsDifferingInLetterCaseAreTwoItemsNextToEachOther) {
    SKIP_ON_WINDOWS("file systems that tell letter case apart");
    // This platform's file systems tell letter case apart: these are two files.
    const std::string lower = Folder.MakeFile("song.mp3", 1);
    const std::string upper = Folder.MakeFile("SONG.mp3", 2);
    const std::string other = Folder.MakeFile("Song.zzz", 4);
    const std::string first = Folder.MakeFile("aaa", 8);
    Manager.AddItems({other, lower, first, upper}, AddFiles);
    ASSERT_EQ(Manager.GetItems().size(), 4U);
    EXPECT_EQ(Paths().front(), first);
    EXPECT_EQ(Paths().back(), other);
    EXPECT_EQ(Manager.GetTotalSize(), 15U);
}

TEST_F(DataManagerTest, AddFolderMakesOneFolderItem) {
    Folder.MakeFile("music/one", 1000);
    Folder.MakeFile("music/sub/two", 24);
    Folder.MakeFile("music/.hidden", 7);
    Manager.AddItems({Folder / "music"}, AddFolder);
    ASSERT_EQ(Manager.GetItems().size(), 1U);
    EXPECT_EQ(Manager.GetItems().front().Name, "music");
    EXPECT_EQ(Manager.GetItems().front().Size, 1024U);
    EXPECT_EQ(Parts.Collection.Rows[0].SubItems[0], "1.00 кБ");
}

TEST_F(DataManagerTest, AddFromFolderTakesVisibleEntriesOnceHoweverOftenAdded) {
    const std::string a = Folder.MakeFile("in/a", 1);
    const std::string b = Folder.MakeFile("in/b", 2);
    Folder.MakeFile("in/sub/c", 4);
    Folder.MakeFile("in/.hidden", 8);
    Folder.MakeFile("in/.hiddenfolder/d", 16);
    const std::string file = Folder.MakeFile("plain", 32);

    Manager.AddItems({Folder / "in", file}, AddFromFolder);
    Manager.AddItems({Folder / "in"}, AddFromFolder);
    EXPECT_EQ(Paths(), (std::vector<std::string>{a, b, Folder / "in/sub"}));
    EXPECT_EQ(Manager.GetTotalSize(), 7U);
    ExpectRowsMirrorItems();
}

// Paths given at start that were no playlists left an empty window without a word: they are
// named once, as missing ones are.
TEST_F(DataManagerTest, PlaylistMethodsReadOnlyM3uFilesAndNameTheRest) {
    const std::string track = Folder.MakeFile("t.mp3", 3);
    const std::string body = "#EXTM3U\n#EXTINF:10,T\n" + track + "\n";
    const std::string upper = Folder.Write("LIST.M3U", body);
    const std::string other = Folder.Write("list.m3u8", body);
    const std::string folderNamedM3u = Folder.MakeFolder("folder.m3u");
    Manager.SetCollectionType(MusicTracks);
    Parts.Prompter.Reply(Answer::Ok);
    Parts.Prompter.Reply(Answer::Ok);

    Manager.AddItems({other, folderNamedM3u, Folder / "vanished.m3u", track}, AddFromPlaylist);
    EXPECT_TRUE(Manager.GetItems().empty());
    EXPECT_EQ(Parts.Collection.RowCount(), 0U);
    ASSERT_EQ(Parts.Prompter.Asked.size(), 2U);
    EXPECT_EQ(Parts.Prompter.Asked[0].Kind, QuestionKind::MissingEntries);
    EXPECT_EQ(Parts.Prompter.Asked[0].Paths, std::vector<std::string>{Folder / "vanished.m3u"});
    EXPECT_EQ(Parts.Prompter.Asked[1].Kind, QuestionKind::NotPlaylists);
    EXPECT_EQ(Parts.Prompter.Asked[1].Paths,
              (std::vector<std::string>{other, folderNamedM3u, track}));
    Parts.Prompter.Asked.clear();

    Manager.AddItems({upper}, AddFromWinamp);
    ASSERT_EQ(Manager.GetItems().size(), 1U);
    EXPECT_EQ(Manager.GetItems().front().Size, 1000U);
    EXPECT_EQ(Parts.Collection.Rows[0].SubItems[0], "00:10");
    EXPECT_TRUE(Parts.Prompter.Asked.empty());
}

// A path that does not exist was added as "0 Б", and a folder that could not be read (or held one)
// counted as empty: both went onto media and failed only when copied.
TEST_F(DataManagerTest, MissingPathsAreRefusedAndUnmeasurableOnesAreNamed) {
    SKIP_ON_WINDOWS("permission bits");
    const OrdinaryUser user;
    std::filesystem::permissions(Folder.Root, std::filesystem::perms(0755));
    const std::string file = Folder.MakeFile("file", 10);
    const std::string locked = Folder.MakeFolder("locked");
    const std::string holder = Folder.MakeFolder("holder/sub");
    Folder.MakeFile("holder/sub/inside", 10);
    user.Own(locked, 0);
    user.Own(holder, 0);
    const std::string gone = Folder / "gone";
    const std::string belowAFile = Folder / "file/below";
    const std::vector<std::string> expected[] = {{gone, belowAFile}, {locked, Folder / "holder"}};

    Parts.Prompter.Reply(Answer::Ok);
    Parts.Prompter.Reply(Answer::Ok);
    const int failed = user.Run([&] {
        Manager.AddItems({file, gone, locked, Folder / "holder", belowAFile}, AddFiles);
        if (Paths() != std::vector<std::string>{file, Folder / "holder", locked})
            return 1;
        if (ItemAt(locked).Size != UnreadableFileSize ||
            ItemAt(Folder / "holder").Size != UnreadableFileSize)
            return 2;
        const auto& asked = Parts.Prompter.Asked;
        if (asked.size() != 2 || asked[0].Kind != QuestionKind::MissingEntries ||
            asked[0].Paths != expected[0] || asked[1].Kind != QuestionKind::UnmeasuredEntries ||
            asked[1].Paths != expected[1])
            return 3;
        return 0;
    });
    EXPECT_EQ(failed, 0);
}

TEST_F(DataManagerTest, UnknownMethodAddsNothing) {
    Manager.AddItems({Folder.MakeFile("x", 1)}, 5);
    Manager.AddItems({Folder.MakeFile("y", 1)}, -1);
    EXPECT_TRUE(Manager.GetItems().empty());
}

TEST_F(DataManagerTest, AddingKeepsMediaAndTheirPositions) {
    const std::string b = Folder.MakeFile("b", 2);
    Manager.AddItems({b}, AddFiles);
    TDataManagerTestAccess::Media(Manager).push_back({Manager.GetItems().begin()});
    const TColItem* itemOfB = &Manager.GetItems().front();

    Manager.AddItems({Folder.MakeFile("a", 1), Folder.MakeFile("c", 3)}, AddFiles);
    ASSERT_EQ(Manager.GetMedia().size(), 1U);
    EXPECT_EQ(&*Manager.GetMedia()[0][0], itemOfB);
    EXPECT_EQ(Manager.GetMedia()[0][0]->Path, b);
    EXPECT_EQ(Manager.GetItems().size(), 3U);
}

// ---- RemoveSelected and SetGroupOfSelected ----

TEST_F(DataManagerTest, RemoveSelectedDropsItemsRowsAndAllMedia) {
    const std::string a = Folder.MakeFile("a", 1);
    const std::string b = Folder.MakeFile("b", 2);
    const std::string c = Folder.MakeFile("c", 4);
    Manager.AddItems({a, b, c}, AddFiles);
    TDataManagerTestAccess::Media(Manager).push_back({std::next(Manager.GetItems().begin())});
    Manager.ShowMedium(0);
    ASSERT_EQ(Parts.Medium.RowCount(), 1U);

    SelectRows(Parts.Collection, {0, 2});
    Manager.RemoveSelected();
    EXPECT_EQ(Paths(), (std::vector<std::string>{b}));
    EXPECT_EQ(Manager.GetTotalSize(), 2U);
    ExpectRowsMirrorItems();
    EXPECT_TRUE(Manager.GetMedia().empty());
    EXPECT_EQ(Parts.Medium.RowCount(), 0U);
}

TEST_F(DataManagerTest, RemovingEverythingMakesItemsFilesAgainButRemovingSomeDoesNot) {
    Manager.AddItems({Folder.MakeFile("a", 1), Folder.MakeFile("b", 2)}, AddFiles);
    TDataManagerTestAccess::ItemsAreFiles(Manager) = false;  // as after a disc track
    Parts.Collection.Select(0);
    Manager.RemoveSelected();
    EXPECT_FALSE(Manager.GetItemsAreFiles());
    Parts.Collection.SelectAll();
    Manager.RemoveSelected();
    EXPECT_TRUE(Manager.GetItems().empty());
    EXPECT_TRUE(Manager.GetItemsAreFiles());
    EXPECT_EQ(Manager.GetTotalSize(), 0U);
    EXPECT_EQ(Parts.Collection.RowCount(), 0U);
}

TEST_F(DataManagerTest, RemoveWithNothingSelectedStillClearsMedia) {
    Manager.AddItems({Folder.MakeFile("a", 1)}, AddFiles);
    TDataManagerTestAccess::Media(Manager).push_back({Manager.GetItems().begin()});
    Manager.RemoveSelected();
    EXPECT_EQ(Manager.GetItems().size(), 1U);
    EXPECT_TRUE(Manager.GetMedia().empty());
}

TEST_F(DataManagerTest, SetGroupOfSelectedChangesOnlySelectedItemsAndTheirGroupText) {
    const std::string a = Folder.MakeFile("a", 1);
    const std::string b = Folder.MakeFile("b", 2);
    const std::string c = Folder.MakeFile("c", 4);
    Manager.AddItems({a, b, c}, AddFiles);
    SelectRows(Parts.Collection, {0, 2});
    Manager.SetGroupOfSelected(255);
    EXPECT_EQ(ItemAt(a).Group, 255U);
    EXPECT_EQ(ItemAt(b).Group, 0U);
    EXPECT_EQ(ItemAt(c).Group, 255U);
    ExpectRowsMirrorItems();

    Manager.SetGroupOfSelected(0);
    EXPECT_EQ(ItemAt(a).Group, 0U);
    EXPECT_EQ(Parts.Collection.Rows[0].SubItems[1], "нет");
    EXPECT_EQ(Parts.Collection.Rows[0].SubItems[0], "1 Б");  // length column untouched
}

// ---- ShowCollection, ShowMedium ----

TEST_F(DataManagerTest, ShowCollectionRebuildsTheWholeList) {
    Manager.AddItems({Folder.MakeFile("a", 1), Folder.MakeFile("b", 2)}, AddFiles);
    Parts.Collection.Rows.push_back({"stale", 0, {}, nullptr, false});
    Manager.ShowCollection();
    ExpectRowsMirrorItems();
    EXPECT_EQ(Parts.Collection.UpdateDepth, 0);
}

TEST_F(DataManagerTest, ShowMediumListsItsItemsAndReturnsThePlainSum) {
    Manager.SetCollectionType(MusicTracks);
    const std::string track = Folder.MakeFile("t.mp3", 1);
    const std::string other = Folder.MakeFile("u.mp3", 1);
    Folder.Write("l.m3u",
                 "#EXTM3U\n#EXTINF:200,Zebra\n" + track + "\n#EXTINF:100,Apple\n" + other + "\n");
    Manager.AddItems({Folder / "l.m3u"}, AddFromPlaylist);
    ASSERT_EQ(Manager.GetItems().size(), 2U);
    TDataManagerTestAccess::Media(Manager).push_back(
        {Manager.GetItems().begin(), std::next(Manager.GetItems().begin())});
    TDataManagerTestAccess::Media(Manager).push_back({std::next(Manager.GetItems().begin())});

    EXPECT_EQ(Manager.ShowMedium(0), "05:00");
    EXPECT_EQ(Parts.Medium.Captions(), (std::vector<std::string>{"Apple", "Zebra"}));
    EXPECT_EQ(Parts.Medium.Rows[0].SubItems, (std::vector<std::string>{"01:40"}));
    EXPECT_EQ(Parts.Medium.Rows[1].Data, Manager.GetItems().front().Position.get());
    EXPECT_EQ(Parts.Medium.UpdateDepth, 0);

    EXPECT_EQ(Manager.ShowMedium(1), "01:40");
    EXPECT_EQ(Parts.Medium.Captions(), (std::vector<std::string>{"Apple"}));

    EXPECT_EQ(Manager.ShowMedium(7), "00:00");
    EXPECT_EQ(Parts.Medium.RowCount(), 0U);
}

// ---- SelectionText, LocateItem ----

TEST_F(DataManagerTest, SelectionTextFromCollectionThenMedium) {
    const std::string a = Folder.MakeFile("a", 1024);
    const std::string b = Folder.MakeFile("b", 512);
    Manager.AddItems({a, b}, AddFiles);
    EXPECT_EQ(Manager.SelectionText(), "");

    TDataManagerTestAccess::Media(Manager).push_back({std::next(Manager.GetItems().begin())});
    Manager.ShowMedium(0);
    Parts.Medium.Select(0);
    EXPECT_EQ(Manager.SelectionText(), b);

    Parts.Collection.Select(0);
    EXPECT_EQ(Manager.SelectionText(), a);
    Parts.Collection.Select(1);
    EXPECT_EQ(Manager.SelectionText(), "1.50 кБ");
}

TEST_F(DataManagerTest, LocateItemSelectsAndScrollsToTheRow) {
    Manager.AddItems({Folder.MakeFile("a", 1), Folder.MakeFile("b", 1), Folder.MakeFile("c", 1)},
                     AddFiles);
    Parts.Collection.Select(0);
    Manager.LocateItem(std::next(Manager.GetItems().begin(), 2)->Position.get());
    EXPECT_EQ(Parts.Collection.SelectedRows(), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(Parts.Collection.ScrolledTo, 2U);

    TColItems elsewhere(1);
    const TItemPosition unknown = elsewhere.begin();
    Manager.LocateItem(&unknown);
    EXPECT_EQ(Parts.Collection.SelectedRows(), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(Parts.Collection.ScrolledTo, 2U);
}

// ---- EstimateMediaCount ----

TEST_F(DataManagerTest, EstimateMediaCountRoundsUpAndCountsPauses) {
    EXPECT_EQ(Manager.EstimateMediaCount(100, 0), 0);
    Manager.AddItems({Folder.MakeFile("a", 60), Folder.MakeFile("b", 40)}, AddFiles);
    EXPECT_EQ(Manager.EstimateMediaCount(100, 0), 1);
    EXPECT_EQ(Manager.EstimateMediaCount(99, 0), 2);
    EXPECT_EQ(Manager.EstimateMediaCount(50, 0), 2);
    EXPECT_EQ(Manager.EstimateMediaCount(100, 1), 2);  // 100 + 2 pauses
    EXPECT_EQ(Manager.EstimateMediaCount(102, 1), 1);
    EXPECT_EQ(Manager.EstimateMediaCount(0, 0), 0);
}

TEST_F(DataManagerTest, EstimateMediaCountTakesThePausesAsA32BitProduct) {
    Manager.AddItems({Folder.MakeFile("a", 50), Folder.MakeFile("b", 50)}, AddFiles);
    // 2 × 2^31 wraps to 0 in 32 bits.
    EXPECT_EQ(Manager.EstimateMediaCount(100, 0x80000000U), 1);
    // 2 × (2^31 + 50) wraps to 100.
    EXPECT_EQ(Manager.EstimateMediaCount(100, 0x80000032U), 2);
}

TEST_F(DataManagerTest, EstimateMediaCountStaysPositiveForHugeTotals) {
    Manager.AddItems({Folder.MakeFile("a", 50)}, AddFiles);
    TDataManagerTestAccess::SetItemSize(Manager, 0, UINT64_MAX);
    EXPECT_EQ(Manager.EstimateMediaCount(1, 0), INT32_MAX);
    EXPECT_EQ(Manager.EstimateMediaCount(UINT64_MAX, 0), 1);
}

}  // namespace
