// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/Tdatamanager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/FileKinds.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/RecordingProgress.h"
#include "tests/doubles/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// Would catch images under the wrong names, a medium left out, or an image larger than its
// medium kept without a word: each medium's image is prefix + number + ".iso", and the one that
// cannot fit is kept and named in a warning.
TEST(MakeImagesTest, OneImagePerMediumAndAWarningWhenItCannotFit) {
    TempFolder folder;
    DataManagerFixtureParts parts;
    TDataManager manager(parts.Collection, parts.Medium, parts.Host());
    manager.AddItems({folder.MakeFile("items/a", 100), folder.MakeFile("items/b", 300000)},
                     AddFiles);
    auto& media = TDataManagerTestAccess::Media(manager);
    for (auto item = manager.GetItems().cbegin(); item != manager.GetItems().cend(); ++item)
        media.push_back({item});
    const std::string base = folder.MakeFolder("CDRs");
    RecordingProgress progress;
    const std::uint64_t capacity = 200000;
    parts.Prompter.Reply(Answer::Ok);

    EXPECT_EQ(manager.MakeImages(-1, base + "/disk", capacity, progress).Done, 2U);

    EXPECT_EQ(progress.Title, (WorkTitle{MediumWork::MakingImage, 2}));
    EXPECT_LT(fs::file_size(base + "/disk1.iso"), capacity);
    const std::uint64_t second = fs::file_size(base + "/disk2.iso");
    ASSERT_EQ(parts.Prompter.Asked.size(), 1U);
    const Question& asked = parts.Prompter.Asked[0];
    EXPECT_EQ(asked.Kind, QuestionKind::ImageTooLarge);
    EXPECT_EQ(asked.Path, base + "/disk2.iso");
    EXPECT_EQ(asked.Size, manager.ValueText(second));
    EXPECT_EQ(asked.Capacity, manager.ValueText(capacity));
    EXPECT_GE(manager.MediumFootprint(1), second);
}

// Would catch the images stopping at the first failure, or a medium whose image lacks a source
// the user left out counted as done: medium 1 cannot take its name, medium 2 leaves a link
// libisofs cannot take out, medium 3 is whole; only medium 3 is done, and 2 and 3 are written.
TEST(MakeImagesTest, AFailedOrIncompleteMediumIsNotDoneAndTheOthersGoOn) {
    TempFolder folder;
    DataManagerFixtureParts parts;
    TDataManager manager(parts.Collection, parts.Medium, parts.Host());
    const std::string linkFolder = folder.MakeFolder("items/b");
    MAKE_LINK_OR_SKIP(std::string(300, 'x'), linkFolder + "/link");
    manager.AddItems({folder.MakeFile("items/a", 100), linkFolder, folder.MakeFile("items/c", 10)},
                     AddFiles);
    auto& media = TDataManagerTestAccess::Media(manager);
    for (auto item = manager.GetItems().cbegin(); item != manager.GetItems().cend(); ++item)
        media.push_back({item});
    const std::string base = folder.MakeFolder("CDRs");
    folder.Write("CDRs/disk1.iso/taken", "");
    RecordingProgress progress;
    parts.Prompter.Reply(Answer::Ok);   // disk1.iso not written
    parts.Prompter.Reply(Answer::Yes);  // the folder with the link left out of disk2.iso

    const TProcessedMedia made = manager.MakeImages(-1, base + "/disk", UINT64_MAX, progress);

    EXPECT_EQ(made.Done, 1U);
    EXPECT_EQ(made.Failed, 2U);
    EXPECT_FALSE(made.Stopped);
    EXPECT_TRUE(fs::is_regular_file(base + "/disk2.iso"));
    EXPECT_TRUE(fs::is_regular_file(base + "/disk3.iso"));
    EXPECT_EQ(parts.Prompter.Asked.size(), 2U);
}

}  // namespace
