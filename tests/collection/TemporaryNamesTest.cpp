// SPDX-License-Identifier: GPL-3.0-or-later
// What an interrupted run leaves under a temporary name is cleared by the next run.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "collection/Tdatamanager.h"
#include "platform/AtomicFile.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/RealDataManager.h"
#include "tests/doubles/RecordingProgress.h"
#include "tests/doubles/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// An image killed midway left its ".~disk1.iso.XXXXXX" for good, lists and link folders had
// names of their own: every writer uses the one temporary prefix, and its next run into the
// folder removes what an interrupted one left there (a user's file of a similar name stays).
TEST(TemporaryNamesTest, TheNextRunOfEveryWriterRemovesAnInterruptedRunsDebris) {
    using Action = std::function<TProcessedMedia(TDataManager&, const std::string&)>;
    const struct {
        const char* Name;
        Action Run;
    } writers[] = {
        {"image",
         [](TDataManager& m, const std::string& p) {
             RecordingProgress progress;
             return m.MakeImages(-1, p, UINT64_MAX, progress);
         }},
        {"text list", [](TDataManager& m, const std::string& p) { return m.SaveTextLists(-1, p); }},
        {"playlist", [](TDataManager& m, const std::string& p) { return m.SavePlaylists(-1, p); }},
        {"copy with checksums",
         [](TDataManager& m, const std::string& p) {
             return m.CollectFiles(-1, p, FileOperationKind::Copy,
                                   TDataManager::ChecksumLists::Written);
         }},
    };
    for (const auto& writer : writers) {
        SCOPED_TRACE(writer.Name);
        TempFolder folder;
        RealDataManager real;
        TDataManager& manager = real.Manager;
        manager.AddItems({folder.Write("items/a", "one")}, AddFiles);
        TDataManagerTestAccess::Media(manager) = {TMedium{manager.GetItems().cbegin()}};
        const std::string base = folder.MakeFolder("CDRs");
        std::string debris = PartialFilePattern(base + "/disk1.iso");
        debris.replace(debris.size() - 6, 6, "k1ll3d");
        folder.Write("CDRs/" + fs::path(debris).filename().string(), "half an image");
        const std::string users = folder.Write("CDRs/.vantrel-notes", "mine");

        EXPECT_EQ(writer.Run(manager, base + "/disk").Done, 1U);

        EXPECT_FALSE(fs::exists(debris));
        EXPECT_TRUE(fs::exists(users));
        for (const auto& entry : fs::directory_iterator(base))
            EXPECT_FALSE(IsPartialFileName(entry.path().filename().string())) << entry.path();
    }
}

}  // namespace
