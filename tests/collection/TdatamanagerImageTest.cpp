// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/Tdatamanager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/doubles/DataManagerTestAccess.h"
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

    EXPECT_EQ(progress.Title, "Носитель №2 Создание образа диска...");
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

}  // namespace
