// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/Tdatamanager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "disc/DiscFootprint.h"
#include "divide/Dividethread.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/FileKinds.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/TempFolder.h"

namespace {

constexpr std::uint64_t MB = 1048576;
constexpr std::uint64_t Capacity700 = 700 * MB;

class PrepareDivisionTest : public ::testing::Test {
protected:
    PrepareDivisionTest() : Manager(Parts.Collection, Parts.Medium, Parts.Host()) {}

    // Waits for a started division to end and releases its thread, as the window does.
    void FinishDivision() {
        ASSERT_TRUE(Manager.GetThread());
        Parts.UiThread.PumpUntil([&] { return Parts.Listener.Ended > 0; });
        Manager.DivisionFinished();
    }

    std::vector<std::uint64_t> GroupSizes() const {
        std::vector<std::uint64_t> sizes;
        for (const auto& group : Manager.GetGroups())
            sizes.push_back(group.Size);
        return sizes;
    }

    std::vector<std::string> ItemNames() const {
        std::vector<std::string> names;
        for (const auto& item : Manager.GetItems())
            names.push_back(item.Name);
        return names;
    }

    void SetGroup(const std::string& name, std::uint32_t group) {
        for (std::size_t row = 0; row < Parts.Collection.Rows.size(); ++row)
            Parts.Collection.Rows[row].Selected = Parts.Collection.Rows[row].Caption == name;
        Manager.SetGroupOfSelected(group);
    }

    TempFolder Folder;
    DataManagerFixtureParts Parts;
    TDataManager Manager;
};

TEST_F(PrepareDivisionTest, ExpandedFolderIsReplacedByItsEntries) {
    Folder.MakeFile("big/a/x", 400 * MB);
    Folder.MakeFile("big/b/y", 400 * MB);
    Folder.MakeFile("big/c", 100 * MB);
    Manager.AddItems({Folder / "big"}, AddFolder);
    Parts.Prompter.Reply(Answer::Expand);

    ASSERT_TRUE(Manager.PrepareDivision(Capacity700, 699 * MB, 0));
    FinishDivision();

    ASSERT_EQ(Parts.Prompter.Asked.size(), 1u);
    EXPECT_EQ(Parts.Prompter.Asked[0].Kind, QuestionKind::OversizedFolder);
    EXPECT_EQ(Parts.Prompter.Asked[0].Path, Folder / "big");
    EXPECT_EQ(ItemNames(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Parts.Collection.RowCount(), 3u);
    EXPECT_EQ(Manager.GetTotalSize(), 900 * MB);
    EXPECT_EQ(Manager.GetMedia().size(), 2u);
}

TEST_F(PrepareDivisionTest, NestedOversizedFolderIsAskedAgainUnlessExpandForAll) {
    for (const bool forAll : {false, true}) {
        TempFolder folder;
        folder.MakeFile("big/inner/x", 750 * MB);
        folder.MakeFile("big/y", 150 * MB);
        DataManagerFixtureParts parts;
        TDataManager manager(parts.Collection, parts.Medium, parts.Host());
        manager.AddItems({folder / "big"}, AddFolder);
        parts.Prompter.Reply(forAll ? Answer::ExpandForAll : Answer::Expand);
        if (!forAll)
            parts.Prompter.Reply(Answer::Expand);
        // The 750 МБ file itself is then asked about; leave it out.
        parts.Prompter.Reply(Answer::Yes);

        ASSERT_TRUE(manager.PrepareDivision(Capacity700, 699 * MB, 0)) << forAll;
        parts.UiThread.PumpUntil([&] { return parts.Listener.Ended > 0; });
        manager.DivisionFinished();

        EXPECT_EQ(parts.Prompter.Asked.size(), forAll ? 2u : 3u);
        EXPECT_TRUE(parts.Prompter.ScriptUsed());
        ASSERT_EQ(manager.GetItems().size(), 1u);
        EXPECT_EQ(manager.GetItems().front().Name, "y");
        EXPECT_EQ(manager.GetTotalSize(), 150 * MB);
    }
}

TEST_F(PrepareDivisionTest, OversizedFileQuestionAndItsAnswers) {
    Folder.MakeFile("a", 800 * MB);
    Folder.MakeFile("b", 900 * MB);
    Folder.MakeFile("c", 10 * MB);
    Manager.AddItems({Folder / "a", Folder / "b", Folder / "c"}, AddFiles);
    Parts.Prompter.Reply(Answer::YesToAll);

    ASSERT_TRUE(Manager.PrepareDivision(Capacity700, 699 * MB, 0));
    FinishDivision();

    ASSERT_EQ(Parts.Prompter.Asked.size(), 1u);  // the second file goes without a question
    const auto& question = Parts.Prompter.Asked[0];
    EXPECT_EQ(question.Kind, QuestionKind::OversizedFile);
    EXPECT_EQ(question.Path, Folder / "a");
    EXPECT_EQ(question.Answers,
              (std::vector<Answer>{Answer::Yes, Answer::Cancel, Answer::YesToAll}));
    EXPECT_EQ(question.Default, Answer::Yes);
    EXPECT_EQ(ItemNames(), (std::vector<std::string>{"c"}));
    EXPECT_EQ(Parts.Collection.RowCount(), 1u);
}

TEST_F(PrepareDivisionTest, CancelSelectsTheItemAndKeepsEarlierExclusions) {
    Folder.MakeFile("a", 800 * MB);
    Folder.MakeFile("b", 900 * MB);
    Folder.MakeFile("c", 10 * MB);
    Manager.AddItems({Folder / "a", Folder / "b", Folder / "c"}, AddFiles);
    Parts.Prompter.Reply(Answer::Yes);
    Parts.Prompter.Reply(Answer::Cancel);

    EXPECT_FALSE(Manager.PrepareDivision(Capacity700, 699 * MB, 0));
    EXPECT_FALSE(Manager.GetThread());
    EXPECT_EQ(ItemNames(), (std::vector<std::string>{"b", "c"}));
    // The list was refilled before the row of "b" was selected and shown.
    ASSERT_EQ(Parts.Collection.RowCount(), 2u);
    EXPECT_TRUE(Parts.Collection.Rows[0].Selected);
    EXPECT_EQ(Parts.Collection.Rows[0].Caption, "b");
    EXPECT_EQ(Parts.Collection.ScrolledTo, 0u);
}

TEST_F(PrepareDivisionTest, GroupThatCannotFitStopsThePreparation) {
    Folder.MakeFile("a", 300 * MB);
    Folder.MakeFile("b", 300 * MB);
    Folder.MakeFile("c", 200 * MB);
    Folder.MakeFile("d", 10 * MB);
    Manager.AddItems({Folder / "a", Folder / "b", Folder / "c", Folder / "d"}, AddFiles);
    for (const char* name : {"a", "b", "c"})
        SetGroup(name, 5);
    Parts.Prompter.Reply(Answer::Ok);

    EXPECT_FALSE(Manager.PrepareDivision(Capacity700, 699 * MB, 0));
    EXPECT_FALSE(Manager.GetThread());
    ASSERT_EQ(Parts.Prompter.Asked.size(), 1u);
    EXPECT_EQ(Parts.Prompter.Asked[0].Kind, QuestionKind::GroupTooLarge);
    EXPECT_EQ(Parts.Prompter.Asked[0].Number, 5u);
}

TEST_F(PrepareDivisionTest, UnitsAreUngroupedItemsThenGroupsInAscendingNumber) {
    for (const char* name : {"a", "b", "c", "d", "e"})
        Folder.MakeFile(name, 100 * MB);
    Manager.AddItems({Folder / "a", Folder / "b", Folder / "c", Folder / "d", Folder / "e"},
                     AddFiles);
    SetGroup("a", 9);
    SetGroup("d", 2);
    SetGroup("e", 9);
    TDataManagerTestAccess::Media(Manager).push_back(
        {Manager.GetItems().cbegin()});  // a previous result

    ASSERT_TRUE(Manager.PrepareDivision(Capacity700, 699 * MB, 0));
    FinishDivision();

    // All four units fit on one medium, which lists them in unit order: the ungrouped items in
    // collection order, then group 2, then group 9 with its members in collection order. The
    // previous result is gone.
    ASSERT_EQ(Manager.GetMedia().size(), 1u);
    std::vector<std::string> names;
    for (const auto& item : Manager.GetMedia()[0])
        names.push_back(item->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"b", "c", "d", "a", "e"}));
    EXPECT_TRUE(Manager.GetGroups().empty());
}

TEST_F(PrepareDivisionTest, SongPauseCountsInTheFitTest) {
    Manager.SetCollectionType(MusicTracks);
    Folder.MakeFile("long.mp3", 1);
    Folder.MakeFile("short.mp3", 1);
    Folder.Write("list.m3u",
                 "#EXTM3U\n#EXTINF:4799,Long\nlong.mp3\n#EXTINF:100,Short\nshort.mp3\n");
    Manager.AddItems({Folder / "list.m3u"}, AddFromPlaylist);
    ASSERT_EQ(Manager.GetItems().size(), 2u);
    Parts.Prompter.Reply(Answer::Yes);

    ASSERT_TRUE(Manager.PrepareDivision(480000, 479520, 150));
    FinishDivision();
    ASSERT_EQ(Parts.Prompter.Asked.size(), 1u);
    EXPECT_EQ(Parts.Prompter.Asked[0].Path, Folder / "long.mp3");
    ASSERT_EQ(Manager.GetItems().size(), 1u);
    EXPECT_EQ(Manager.GetGroups().size(), 0u);
    ASSERT_EQ(Manager.GetMedia().size(), 1u);
}

TEST_F(PrepareDivisionTest, VanishedPathCountsAsAFolderAndExclusionsCanEmptyTheCollection) {
    const std::string gone = Folder.MakeFile("gone", 800 * MB);
    Manager.AddItems({gone}, AddFiles);
    std::filesystem::remove(gone);
    Parts.Prompter.Reply(Answer::Expand);

    EXPECT_FALSE(Manager.PrepareDivision(Capacity700, 699 * MB, 0));
    EXPECT_EQ(Parts.Prompter.Asked.size(), 1u);  // nothing else is said
    EXPECT_EQ(Parts.Prompter.Asked[0].Kind, QuestionKind::OversizedFolder);
    EXPECT_TRUE(Manager.GetItems().empty());
    EXPECT_EQ(Manager.GetTotalSize(), 0u);
    EXPECT_EQ(Parts.Collection.RowCount(), 0u);
    EXPECT_FALSE(Manager.GetThread());
}

TEST_F(PrepareDivisionTest, SizeNearTheLargestValueDoesNotWrapIntoFitting) {
    Folder.MakeFile("a", 10);
    Manager.AddItems({Folder / "a"}, AddFiles);
    TDataManagerTestAccess::SetItemSize(Manager, 0, UINT64_MAX);  // a length not read
    Parts.Prompter.Reply(Answer::Yes);
    EXPECT_FALSE(Manager.PrepareDivision(480000, 479520, 150));
    EXPECT_EQ(Parts.Prompter.Asked.size(), 1u);
}

TEST_F(PrepareDivisionTest, ExcludingItemsClearsThePreviousResultWhateverFollows) {
    Folder.MakeFile("a", 800 * MB);
    Folder.MakeFile("b", 400 * MB);
    Folder.MakeFile("c", 400 * MB);
    Manager.AddItems({Folder / "a", Folder / "b", Folder / "c"}, AddFiles);
    SetGroup("b", 1);
    SetGroup("c", 1);
    TDataManagerTestAccess::Media(Manager) = {
        TMedium{Manager.GetItems().cbegin(), std::next(Manager.GetItems().cbegin())}};
    Manager.ShowMedium(0);
    Parts.Prompter.Reply(Answer::Yes);  // exclude a
    Parts.Prompter.Reply(Answer::Ok);   // group 1 does not fit

    EXPECT_FALSE(Manager.PrepareDivision(Capacity700, 699 * MB, 0));
    EXPECT_TRUE(Manager.GetMedia().empty());
    EXPECT_EQ(Parts.Medium.RowCount(), 0u);
}

TEST_F(PrepareDivisionTest, TotalSizeStaysTheExactSumBeyondTheLargestValue) {
    // Two files whose length could not be read and one of 5 000 bytes.
    for (const char* name : {"a", "b", "c"})
        Folder.MakeFile(name, 5000);
    Manager.AddItems({Folder / "a", Folder / "b", Folder / "c"}, AddFiles);
    TDataManagerTestAccess::SetItemSize(Manager, 0, UINT64_MAX);
    TDataManagerTestAccess::SetItemSize(Manager, 1, UINT64_MAX);
    EXPECT_EQ(Manager.GetTotalSize(), UINT64_MAX);

    Parts.Collection.Select(0);
    Manager.RemoveSelected();
    EXPECT_EQ(Manager.GetTotalSize(), UINT64_MAX);  // one unreadable file and 5 000 bytes remain

    Parts.Prompter.Reply(Answer::YesToAll);
    EXPECT_FALSE(Manager.PrepareDivision(1000, 999, 0));
    EXPECT_TRUE(Manager.GetItems().empty());
    EXPECT_EQ(Manager.GetTotalSize(), 0u);
}

TEST_F(PrepareDivisionTest, LinksInsideAFolderAreMeasuredAsLinksWhenItIsOpenedUp) {
    const std::string file = Folder.MakeFile("target/file", 50000);
    Folder.MakeFile("target/folder/inside", 50000);
    Folder.MakeFile("f/small", 3);
    MAKE_LINK_OR_SKIP(file, Folder / "f/file link");
    MAKE_LINK_OR_SKIP(Folder / "target/folder", Folder / "f/folder link");
    const std::uint64_t asOneItem = FolderSize(Folder / "f");
    ASSERT_LT(asOneItem, 1000u);

    const struct {
        const char* Way;
        std::function<void()> OpenUp;
    } ways[] = {
        {"everything in the folder", [&] { Manager.AddItems({Folder / "f"}, AddFromFolder); }},
        {"an oversized folder expanded",
         [&] {
             Manager.AddItems({Folder / "f"}, AddFolder);
             Parts.Prompter.Reply(Answer::Expand);
             ASSERT_TRUE(Manager.PrepareDivision(asOneItem - 1, asOneItem - 1, 0));
             FinishDivision();
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Way);
        Parts.Collection.SelectAll();
        Manager.RemoveSelected();
        way.OpenUp();
        EXPECT_EQ(ItemNames(), (std::vector<std::string>{"file link", "folder link", "small"}));
        EXPECT_EQ(Manager.GetTotalSize(), asOneItem);
    }
}

TEST_F(PrepareDivisionTest, TheCollectionCannotChangeWhileADivisionRuns) {
    for (const char* name : {"a", "b", "c"})
        Folder.MakeFile(name, 400 * MB);
    Manager.AddItems({Folder / "a", Folder / "b"}, AddFiles);
    const std::string playlist = Folder.Write("list.m3u", "#EXTM3U\n" + (Folder / "c") + "\n");
    ASSERT_TRUE(Manager.PrepareDivision(Capacity700, 699 * MB, 0));
    // The worker now waits for its first delivery: the division runs until this thread lets it.
    const struct {
        const char* Operation;
        std::function<void()> Change;
    } changes[] = {
        {"AddItems", [&] { Manager.AddItems({Folder / "c"}, AddFiles); }},
        {"LoadPlaylist", [&] { Manager.LoadPlaylist(playlist, FilesAndFolders); }},
        {"RemoveSelected",
         [&] {
             Parts.Collection.SelectAll();
             Manager.RemoveSelected();
         }},
        {"SetGroupOfSelected",
         [&] {
             Parts.Collection.SelectAll();
             Manager.SetGroupOfSelected(7);
         }},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.Operation);
        change.Change();
        EXPECT_EQ(ItemNames(), (std::vector<std::string>{"a", "b"}));
        EXPECT_EQ(Parts.Collection.RowCount(), 2u);
        for (const TColItem& item : Manager.GetItems())
            EXPECT_EQ(item.Group, 0u);
        EXPECT_EQ(Manager.GetTotalSize(), 800 * MB);
    }
    FinishDivision();
    EXPECT_EQ(Manager.GetMedia().size(), 2u);
}

TEST_F(PrepareDivisionTest, DestroyingTheDataManagerStopsItsRunningDivision) {
    Folder.MakeFile("a", 400 * MB);
    Folder.MakeFile("b", 400 * MB);
    {
        TDataManager holder(Parts.Collection, Parts.Medium, Parts.Host());
        holder.AddItems({Folder / "a", Folder / "b"}, AddFiles);
        ASSERT_TRUE(holder.PrepareDivision(Capacity700, 699 * MB, 0));
    }  // its worker may wait for a delivery or have queued its end: neither may hang or run
    Parts.UiThread.RunPending();
    EXPECT_EQ(Parts.Listener.MediaAdded, 0);
    EXPECT_EQ(Parts.Listener.Ended, 0);
}

}  // namespace

namespace {

// Would catch the disc count left out of the division, or changing it while off: on, every unit
// counts its footprint and the medium keeps room for the image's structures, so files that fit
// by their bytes are asked about; off, the bytes alone count, as always.
TEST(PrepareDivisionDiscTest, DiscFootprintCountsWhatTheImageTakes) {
    for (const bool footprint : {false, true}) {
        SCOPED_TRACE(footprint);
        TempFolder folder;
        const std::string small = folder.MakeFile("small", 1);
        const std::string larger = folder.MakeFile("fits by bytes", 3000);
        DataManagerFixtureParts parts;
        TDataManager manager(parts.Collection, parts.Medium, parts.Host());
        manager.AddItems({small, larger}, AddFiles);
        const std::uint64_t capacity = DiscImageReserve() + DiscFootprint(small, false, {}) + 2048;
        if (footprint)
            parts.Prompter.Reply(Answer::Yes);

        ASSERT_TRUE(manager.PrepareDivision(capacity, capacity, 0, footprint));
        parts.UiThread.PumpUntil([&] { return parts.Listener.Ended > 0; });
        manager.DivisionFinished();

        EXPECT_TRUE(parts.Prompter.ScriptUsed());
        ASSERT_EQ(parts.Prompter.Asked.size(), footprint ? 1U : 0U);
        if (footprint) {
            EXPECT_EQ(parts.Prompter.Asked[0].Kind, QuestionKind::OversizedFile);
            EXPECT_EQ(parts.Prompter.Asked[0].Path, larger);
        }
        ASSERT_EQ(manager.GetMedia().size(), 1U);
        EXPECT_EQ(manager.GetMedia()[0].size(), footprint ? 1U : 2U);
    }
}

}  // namespace
