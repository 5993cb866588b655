// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/ResultsService.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/RealDataManager.h"
#include "tests/doubles/RecordingProgress.h"
#include "tests/doubles/TempFolder.h"

namespace {

// Would catch an action run on the wrong media, results told under names other than those the
// writers and the collector use (a single medium numbered from 1 instead of its own number, a
// missing checksum list), a failure reported as done, or an action taken where the base folder
// cannot be made or the items are no files.
TEST(ResultsServiceTest, EachActionOnItsRangeTellsWhatItWrote) {
    using Refusal = ResultsOutcome::Refusal;
    struct Case {
        ResultsAction Action;
        int Medium;
        bool Checksums;
        bool ItemsAreFiles;
        const char* BaseFolder;  // under the temporary folder; "file" is a file there
        Refusal Refused;
        std::size_t Wanted;
        std::vector<std::string> Written;  // under the base folder
    };
    const Case cases[] = {
        {ResultsAction::TextLists,
         -1,
         false,
         true,
         "CDRs",
         Refusal::None,
         3,
         {"disk1.txt", "disk2.txt", "disk3.txt"}},
        {ResultsAction::Playlists, 1, false, true, "new/CDRs", Refusal::None, 1, {"disk2.m3u"}},
        {ResultsAction::Copy, 2, true, true, "CDRs", Refusal::None, 1, {"disk3", "disk3.sha256"}},
        {ResultsAction::Move,
         -1,
         false,
         true,
         "CDRs",
         Refusal::None,
         3,
         {"disk1", "disk2", "disk3"}},
        {ResultsAction::Images, 0, false, true, "CDRs", Refusal::None, 1, {"disk1.iso"}},
        {ResultsAction::TextLists, -1, false, true, "file", Refusal::BaseFolder, 3, {}},
        {ResultsAction::Copy, -1, false, false, "CDRs", Refusal::NoFiles, 3, {}},
        {ResultsAction::Images, 5, false, true, "CDRs", Refusal::None, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Action) * 100 + c.Medium);
        TempFolder folder;
        folder.MakeFile("file", 1);
        // The real file operations: a checksum list describes the files a copy put in place.
        RealDataManager real;
        DataManagerFixtureParts& parts = real.Parts;
        TDataManager& manager = real.Manager;
        manager.AddItems({folder.MakeFile("items/a", 10), folder.MakeFile("items/b", 20),
                          folder.MakeFile("items/c", 30)},
                         AddFiles);
        for (auto item = manager.GetItems().cbegin(); item != manager.GetItems().cend(); ++item)
            TDataManagerTestAccess::Media(manager).push_back({item});
        TDataManagerTestAccess::ItemsAreFiles(manager) = c.ItemsAreFiles;
        const std::string base = folder / c.BaseFolder;
        RecordingProgress progress;

        const ResultsOutcome outcome = ProcessResults(manager,
                                                      {.Action = c.Action,
                                                       .Medium = c.Medium,
                                                       .BaseFolder = base,
                                                       .MediumName = "disk",
                                                       .Checksums = c.Checksums,
                                                       .Capacity = 1 << 20},
                                                      progress);

        EXPECT_EQ(outcome.Refused, c.Refused);
        EXPECT_EQ(outcome.Wanted, c.Wanted);
        std::vector<std::string> written;
        for (const std::string& name : c.Written)
            written.push_back(base + PathDelimiter + name);
        EXPECT_EQ(outcome.Written, written);
        EXPECT_EQ(outcome.AllDone(), c.Refused == Refusal::None);
        EXPECT_TRUE(parts.Prompter.Asked.empty());
    }
}

}  // namespace
