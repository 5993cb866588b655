// SPDX-License-Identifier: GPL-3.0-or-later
// What a medium counts is what is written for it, hidden entries counted or not.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "collection/Tdatamanager.h"
#include "disc/DiscFootprint.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/RealDataManager.h"
#include "tests/doubles/TempFolder.h"
#include "tests/doubles/TreeBytes.h"

namespace fs = std::filesystem;

namespace {

// Hidden entries were left out of a folder's size but copied, moved, imaged and counted on the
// disc with it, so a medium's folder or image held more than its total (27 % over a CD). Each
// way of writing a medium must write exactly the bytes the medium counted, and the disc count
// must count exactly the tree that is written; a move leaves what it does not count in place and
// says so once.
TEST(HiddenEntriesTest, EveryWriterWritesWhatTheMediumCounted) {
    for (const bool countHidden : {false, true}) {
        SCOPED_TRACE(countHidden ? "hidden entries counted" : "hidden entries left out");
        TempFolder folder;
        folder.MakeFile("items/album/track", 6000);
        folder.MakeFile("items/album/.hidden", 3000);
        folder.MakeFile("items/album/.cache/x", 1000);
        folder.MakeFile("items/album/sub/y", 20);
        folder.MakeFile("items/album/sub/.h", 10);
        const std::uint64_t expected = countHidden ? 10030 : 6020;

        RealDataManager real;
        TDataManager& manager = real.Manager;
        manager.SetCountHidden(countHidden);
        manager.AddItems({folder / "items/album"}, AddFolder);
        ASSERT_EQ(manager.GetItems().front().Size, expected);
        TDataManagerTestAccess::Media(manager) = {TMedium{manager.GetItems().cbegin()}};
        const std::string out = folder.MakeFolder("out");

        EXPECT_EQ(manager.CollectFiles(0, out + "/copy", FileOperationKind::Copy).Done, 1U);
        EXPECT_EQ(BytesInTree(out + "/copy1"), expected) << "copy";
        // The disc count of the medium is the count of what the copy holds, taken whole.
        EXPECT_EQ(manager.MediumFootprint(0),
                  DiscImageReserve() +
                      DiscFootprint(out + "/copy1/album", false, TreeRule{.CountHidden = true}))
            << "disc count";

        EXPECT_EQ(manager.MakeImages(0, out + "/image", UINT64_MAX, real.Progress).Done, 1U);
#ifndef _WIN32  // xorriso, which reads the image back, is a program of the POSIX systems
        const std::string extracted = out + "/extracted";
        ASSERT_EQ(std::system(("xorriso -osirrox on -indev " + out + "/image1.iso -extract / " +
                               extracted + " >/dev/null 2>&1")
                                  .c_str()),
                  0);
        EXPECT_EQ(BytesInTree(extracted), expected) << "image";
#endif

        if (!countHidden)
            real.Parts.Prompter.Reply(Answer::Ok);  // what stays behind
        EXPECT_EQ(manager.CollectFiles(0, out + "/move", FileOperationKind::Move).Done, 1U);
        EXPECT_EQ(BytesInTree(out + "/move1"), expected) << "move";
        EXPECT_EQ(fs::exists(folder / "items/album/.cache/x"), !countHidden);
        EXPECT_EQ(fs::exists(folder / "items/album/sub/.h"), !countHidden);
        EXPECT_EQ(fs::exists(folder / "items/album"), !countHidden);
        ASSERT_EQ(real.Parts.Prompter.Asked.size(), countHidden ? 0U : 1U) << "told once";
        if (!countHidden) {
            EXPECT_EQ(real.Parts.Prompter.Asked[0].Kind, QuestionKind::LeftInPlace);
        }
    }
}

// The option changed after the items were added: sizes that kept the old measure let the next
// copy write more than the medium counted.
TEST(HiddenEntriesTest, ChangingTheOptionMeasuresTheCollectionAgain) {
    TempFolder folder;
    folder.MakeFile("items/album/track", 600);
    folder.MakeFile("items/album/.hidden", 300);
    DataManagerFixtureParts parts;
    TDataManager manager(parts.Collection, parts.Medium, parts.Host());
    manager.AddItems({folder / "items/album"}, AddFolder);
    TDataManagerTestAccess::Media(manager) = {TMedium{manager.GetItems().cbegin()}};
    ASSERT_EQ(manager.GetTotalSize(), 600U);

    manager.SetCountHidden(true);

    EXPECT_EQ(manager.GetTotalSize(), 900U);
    EXPECT_EQ(manager.GetItems().front().Size, 900U);
    EXPECT_TRUE(manager.GetMedia().empty()) << "the media were found with the old sizes";
}

}  // namespace
