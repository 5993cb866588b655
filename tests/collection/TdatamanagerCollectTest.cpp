// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/Tdatamanager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/SystemFileOperations.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/FileKinds.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/PosixOnly.h"
#include "tests/doubles/RealDataManager.h"
#include "tests/doubles/RecordingProgress.h"
#include "tests/doubles/TempFolder.h"
#include "tests/platform/ScratchMount.h"

namespace fs = std::filesystem;

namespace {

class CollectFilesTest : public ::testing::Test {
protected:
    CollectFilesTest() : Manager(Parts.Collection, Parts.Medium, Parts.Host()) {
        Base = Folder.MakeFolder("CDRs");
    }
    ~CollectFilesTest() override { EXPECT_TRUE(Parts.Prompter.ScriptUsed()); }

    // media[m] holds the names of medium m's files, made in the "items" folder.
    void MakeMedia(const std::vector<std::vector<std::string>>& media) {
        std::vector<std::string> paths;
        for (const auto& medium : media) {
            for (const auto& name : medium)
                paths.push_back(Folder.Write("items/" + name, name));
        }
        Manager.AddItems(paths, AddMethod::AddFiles);
        for (const auto& medium : media) {
            TDataManagerTestAccess::Media(Manager).emplace_back();
            for (const auto& name : medium) {
                for (auto it = Manager.GetItems().cbegin(); it != Manager.GetItems().cend(); ++it) {
                    if (it->Name == name)
                        TDataManagerTestAccess::Media(Manager).back().push_back(it);
                }
            }
        }
    }

    const std::vector<RecordingFileOperations::Call>& Calls() const {
        return Parts.FileOperations.Calls;
    }

    TempFolder Folder;
    std::string Base;
    DataManagerFixtureParts Parts;
    TDataManager Manager;
};

TEST_F(CollectFilesTest, OneMediumGoesIntoItsNumberedFolder) {
    MakeMedia({{"a"}, {"c", "b"}, {"d"}, {"e"}});
    Manager.CollectFiles(1, Base + "/disk", FileOperationKind::Copy);

    EXPECT_TRUE(fs::is_directory(Base + "/disk2"));
    EXPECT_FALSE(fs::exists(Base + "/disk1"));
    EXPECT_FALSE(fs::exists(Base + "/disk3"));
    ASSERT_EQ(Calls().size(), 1U);
    EXPECT_EQ(Calls()[0].Kind, FileOperationKind::Copy);
    EXPECT_EQ(Calls()[0].Sources,
              (std::vector<std::string>{Folder / "items/c", Folder / "items/b"}))
        << "the medium's order";
    EXPECT_EQ(Calls()[0].Destination, Base + "/disk2" + PathDelimiter);
    EXPECT_EQ(Calls()[0].Title, (WorkTitle{MediumWork::Collecting, 2}));
    EXPECT_TRUE(Parts.Prompter.Asked.empty());
}

TEST_F(CollectFilesTest, AllMediaInOrderAndTheMoveKind) {
    MakeMedia({{"a"}, {"b"}, {"c"}});
    Manager.CollectFiles(-1, Base + "/disk", FileOperationKind::Move);
    ASSERT_EQ(Calls().size(), 3U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Calls()[i].Kind, FileOperationKind::Move);
        EXPECT_EQ(Calls()[i].Destination, Base + "/disk" + std::to_string(i + 1) + PathDelimiter);
        EXPECT_EQ(Calls()[i].Title, (WorkTitle{MediumWork::Collecting, i + 1}));
    }
}

TEST_F(CollectFilesTest, OnlyAFolderWithEntriesDrawsTheQuestion) {
    struct Case {
        const char* Name;
        std::string Entry;  // made inside disk1/, empty for none
        bool Folder;
        bool Asked;
    };
    const Case cases[] = {{"empty", "", false, false},
                          {"hidden file", ".hidden", false, true},
                          {"sub-folder", "sub", true, true},
                          {"file", "file.txt", false, true},
                          // what a crashed copy left is no entry of the user's
                          {"leftover", ".vantrel-partial-a.Xy12Zq", false, false}};
    MakeMedia({{"a"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string base = Folder.MakeFolder(std::string("case ") + c.Name);
        Folder.MakeFolder(std::string("case ") + c.Name + "/disk1");
        if (!c.Entry.empty()) {
            const std::string entry = std::string("case ") + c.Name + "/disk1/" + c.Entry;
            c.Folder ? Folder.MakeFolder(entry) : Folder.Write(entry, "x");
        }
        Parts.Prompter.Asked.clear();
        Parts.FileOperations.Calls.clear();
        if (c.Asked)
            Parts.Prompter.Reply(Answer::Yes);

        Manager.CollectFiles(-1, base + "/disk", FileOperationKind::Copy);

        ASSERT_EQ(Parts.Prompter.Asked.size(), c.Asked ? 1U : 0U);
        if (c.Asked) {
            const auto& asked = Parts.Prompter.Asked[0];
            EXPECT_EQ(asked.Kind, QuestionKind::NonEmptyFolder);
            EXPECT_EQ(asked.Path, base + "/disk1" + PathDelimiter);
            EXPECT_EQ(asked.Answers, (std::vector<Answer>{Answer::Yes, Answer::No}));
            EXPECT_EQ(asked.Default, Answer::No);
        }
        EXPECT_EQ(Calls().size(), 1U) << "answered Yes or not asked";
    }
}

TEST_F(CollectFilesTest, NoEndsTheWholeOperation) {
    MakeMedia({{"a"}, {"b"}, {"c"}});
    Folder.Write("CDRs/disk2/old.txt", "old");
    Parts.Prompter.Reply(Answer::No);

    const TProcessedMedia processed =
        Manager.CollectFiles(-1, Base + "/disk", FileOperationKind::Copy);
    EXPECT_EQ(processed.Done, 1U);
    EXPECT_TRUE(processed.Stopped);

    ASSERT_EQ(Calls().size(), 1U);
    EXPECT_EQ(Calls()[0].Destination, Base + "/disk1" + PathDelimiter);
    EXPECT_FALSE(fs::exists(Base + "/disk3")) << "later media are left alone";
}

// Cancel ended only the current medium, a medium with failures counted as collected, and a
// Cancel counted as a failure.
TEST_F(CollectFilesTest, AnOutcomeCountsItsMediumOrEndsTheRun) {
    FileOperationResult failed;
    failed.Failed = 1;
    FileOperationResult cancelled;
    cancelled.Cancelled = true;
    FileOperationResult refused;  // the base folder still takes entries: only this medium
    refused.DestinationFailed = true;
    const struct {
        const char* Name;
        FileOperationResult Result;
        std::size_t Calls, Done, Failed;
        bool Stopped;
    } cases[] = {{"done", {}, 3, 3, 0, false},
                 {"failed", failed, 3, 0, 3, false},
                 {"cancelled", cancelled, 1, 0, 0, true},
                 {"folder refused", refused, 3, 0, 3, false}};
    MakeMedia({{"a"}, {"b"}, {"c"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Parts.FileOperations.Calls.clear();
        Parts.FileOperations.Result = c.Result;
        const TProcessedMedia processed =
            Manager.CollectFiles(-1, Base + "/" + c.Name, FileOperationKind::Copy);
        EXPECT_EQ(Calls().size(), c.Calls);
        EXPECT_EQ(processed.Done, c.Done);
        EXPECT_EQ(processed.Failed, c.Failed);
        EXPECT_EQ(processed.Stopped, c.Stopped);
        for (std::size_t i = 0; i < Calls().size(); ++i) {
            EXPECT_EQ(Calls()[i].Number, i + 1) << "the run's progress";
            EXPECT_EQ(Calls()[i].Count, 3U);
        }
    }
}

// With the real service: folders arrive whole, a move leaves the collection as it was.
class CollectFilesRealTest : public CollectFilesTest {
protected:
    CollectFilesRealTest()
        : Service(Parts.Prompter, Progress),
          Host{Parts.Prompter, Parts.UiThread, Parts.Listener, Service, Parts.Icons},
          Real(Parts.Collection, Parts.Medium, Host) {}

    // Each medium's items, made in the "items" folder (a name with a delimiter makes a folder
    // item of its first component).
    void MakeRealMedia(
        const std::vector<std::vector<std::pair<std::string, std::uint64_t>>>& media) {
        std::vector<std::string> names;
        for (const auto& medium : media) {
            for (const auto& [name, length] : medium) {
                Folder.MakeFile("items/" + name, length);
                names.push_back(name.substr(0, name.find('/')));
            }
        }
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(Folder / ("items/" + name));
        Real.AddItems(paths, AddMethod::AddFiles);
        for (const auto& medium : media) {
            TDataManagerTestAccess::Media(Real).emplace_back();
            for (const auto& entry : medium) {
                const std::string top = entry.first.substr(0, entry.first.find('/'));
                for (auto it = Real.GetItems().cbegin(); it != Real.GetItems().cend(); ++it) {
                    if (it->Name == top)
                        TDataManagerTestAccess::Media(Real).back().push_back(it);
                }
            }
        }
    }

    RecordingProgress Progress;
    SystemFileOperations Service;
    TDataManagerHost Host;
    TDataManager Real;
};

// Into a base folder that takes no new entries, every medium drew a box of its own (217 for 217
// media) and the run was then reported as a success; then the checksum list drew a second box,
// and the run was said to be stopped although the user stopped nothing.
TEST_F(CollectFilesRealTest, ABaseFolderThatTakesNoEntriesIsReportedOnceAndEndsTheRun) {
    ScratchMount mount(Folder / "ro", "1m");
    MakeRealMedia({{{"a", 1}}, {{"b", 1}}, {{"c", 1}}});
    if (mount.MakeReadOnly() == 0)
        GTEST_SKIP() << "root without a way to make a read-only folder";
    Parts.Prompter.Reply(Answer::Ok);

    const TProcessedMedia processed = Real.CollectFiles(
        -1, Folder / "ro/disk", FileOperationKind::Copy, TDataManager::ChecksumLists::Written);

    ASSERT_EQ(Parts.Prompter.Asked.size(), 1U);
    EXPECT_EQ(Parts.Prompter.Asked[0].Kind, QuestionKind::FolderNotCreated);
    EXPECT_EQ(Parts.Prompter.Asked[0].Path, Folder / "ro/disk1");
    EXPECT_EQ(processed.Done, 0U);
    EXPECT_EQ(processed.Failed, 1U);
    EXPECT_FALSE(processed.Stopped);
}

// On a full disk a medium whose file did not fit counted as collected, and its folder item stayed
// behind as an empty folder.
TEST_F(CollectFilesRealTest, AFullFileSystemFailsTheMediumThatDidNotFitAndLeavesNoEmptyFolder) {
    ScratchMount mount(Folder / "small", "1m");
    if (!mount.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    MakeRealMedia({{{"small.txt", 5}}, {{"album/big.bin", 3 * 1024 * 1024}}});
    Parts.Prompter.Reply(Answer::Yes);  // skip the file that does not fit

    const TProcessedMedia processed =
        Real.CollectFiles(-1, Folder / "small/disk", FileOperationKind::Copy);

    EXPECT_EQ(processed.Done, 1U);
    EXPECT_EQ(processed.Failed, 1U);
    EXPECT_FALSE(processed.Stopped);
    EXPECT_EQ(fs::file_size(Folder / "small/disk1/small.txt"), 5U);
    EXPECT_FALSE(fs::exists(Folder / "small/disk2/album"));
    EXPECT_EQ(Progress.Parts, (std::vector<std::string>{"1/2", "2/2"}));
}

// A full disk asked about every remaining file (more than 200 times) and then about the
// checksum list: it is told once per medium, with the space needed and free.
TEST_F(CollectFilesRealTest, AFullFileSystemIsToldOncePerMedium) {
    ScratchMount mount(Folder / "small", "1m");
    if (!mount.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    MakeRealMedia(
        {{{"a", 400 * 1024}, {"b", 400 * 1024}, {"c", 400 * 1024}, {"d", 400 * 1024}}, {{"e", 5}}});
    Parts.Prompter.Reply(Answer::Yes);  // go on with the next medium

    const TProcessedMedia processed = Real.CollectFiles(
        -1, Folder / "small/disk", FileOperationKind::Copy, TDataManager::ChecksumLists::Written);

    ASSERT_EQ(Parts.Prompter.Asked.size(), 1U);
    const Question& told = Parts.Prompter.Asked[0];
    EXPECT_EQ(told.Kind, QuestionKind::CopyOutOfSpace);
    EXPECT_EQ(told.Reason.SystemText, std::error_code(ENOSPC, std::system_category()).message());
    EXPECT_GT(told.Number, told.Count);  // more needed than free
    EXPECT_EQ(processed.Failed, 1U);
    EXPECT_EQ(processed.Done, 1U);
    EXPECT_EQ(fs::file_size(Folder / "small/disk2/e"), 5U);
}

TEST_F(CollectFilesRealTest, AFolderItemArrivesWithItsWholeTree) {
    Folder.Write("items/album/01.mp3", "one");
    Folder.Write("items/album/cd2/02.mp3", "two");
    const std::string single = Folder.Write("items/single.txt", "single");
    Real.AddItems({Folder / "items/album", single}, AddMethod::AddFiles);
    TDataManagerTestAccess::Media(Real) = {
        TMedium{Real.GetItems().cbegin(), std::next(Real.GetItems().cbegin())}};

    Real.CollectFiles(0, Base + "/disk", FileOperationKind::Copy);

    EXPECT_EQ(ReadTextFile(Base + "/disk1/album/01.mp3"), "one");
    EXPECT_EQ(ReadTextFile(Base + "/disk1/album/cd2/02.mp3"), "two");
    EXPECT_EQ(ReadTextFile(Base + "/disk1/single.txt"), "single");
    EXPECT_EQ(Progress.Title, (WorkTitle{MediumWork::Collecting, 1}));
    EXPECT_TRUE(fs::exists(Folder / "items/album/cd2/02.mp3")) << "copying keeps the sources";
}

TEST_F(CollectFilesRealTest, ASecondMoveFindsNothingAndTheServiceSaysSo) {
    const std::string file = Folder.Write("items/song.mp3", "song");
    Real.AddItems({file}, AddMethod::AddFiles);
    TDataManagerTestAccess::Media(Real) = {TMedium{Real.GetItems().cbegin()}};

    Real.CollectFiles(0, Base + "/disk", FileOperationKind::Move);
    EXPECT_EQ(ReadTextFile(Base + "/disk1/song.mp3"), "song");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(Real.GetItems().front().Path, file) << "the collection keeps the old path";

    Parts.Prompter.Reply(Answer::Yes);  // the medium folder is no longer empty
    Parts.Prompter.Reply(Answer::Yes);  // skip the missing source
    Real.CollectFiles(0, Base + "/disk", FileOperationKind::Move);
    ASSERT_EQ(Parts.Prompter.Asked.size(), 2U);
    EXPECT_EQ(Parts.Prompter.Asked[1].Kind, QuestionKind::MoveFailed);
    EXPECT_EQ(Parts.Prompter.Asked[1].Path, file);
    EXPECT_EQ(Parts.Prompter.Asked[1].Reason.SystemText,
              std::error_code(ENOENT, std::system_category()).message());
    EXPECT_EQ(ReadTextFile(Base + "/disk1/song.mp3"), "song");
}

}  // namespace

TEST_F(CollectFilesTest, ALinkFoundInAFolderTravelsAsTheLinkAChosenOneAsItsTarget) {
    const std::string target = Folder.Write("target.txt", "data");
    fs::create_directories(Folder / "box");
    MAKE_LINK_OR_SKIP(target, Folder / "box/inside");
    MAKE_LINK_OR_SKIP(target, Folder / "chosen");
    Manager.AddItems({Folder / "box"}, AddMethod::AddFromFolder);
    Manager.AddItems({Folder / "chosen"}, AddMethod::AddFiles);
    TMedium all;
    for (auto it = Manager.GetItems().cbegin(); it != Manager.GetItems().cend(); ++it)
        all.push_back(it);
    TDataManagerTestAccess::Media(Manager) = {all};

    Manager.CollectFiles(0, Base + "/disk", FileOperationKind::Copy);

    ASSERT_EQ(Calls().size(), 1U);
    EXPECT_EQ(Calls()[0].Sources,
              (std::vector<std::string>{Folder / "box/inside", Folder / "chosen"}));
    EXPECT_EQ(Calls()[0].LinksItself, (std::vector<bool>{true, false}));
}

namespace {

// Would catch a checksum list that sha256sum cannot check: names relative to the medium's
// folder, a name with a backslash or ending in a carriage return escaped, one list per medium
// beside its folder.
TEST(CollectChecksumsTest, CopiesWriteAListSha256sumChecks) {
    SKIP_ON_WINDOWS("names holding \\ or a carriage return, and sha256sum");
    TempFolder folder;
    RealDataManager real;
    TDataManager& manager = real.Manager;
    manager.AddItems({folder.Write("items/a\\b", "one"), folder.Write("items/tree/c d", "two"),
                      folder.Write("items/r\r", "three")},
                     AddFiles);
    manager.AddItems({folder / "items/tree"}, AddFolder);
    auto& media = TDataManagerTestAccess::Media(manager);
    media.emplace_back();
    for (auto item = manager.GetItems().cbegin(); item != manager.GetItems().cend(); ++item)
        if (item->Name != "c d")
            media.back().push_back(item);
    const std::string base = folder.MakeFolder("CDRs");

    EXPECT_EQ(manager
                  .CollectFiles(-1, base + "/disk", FileOperationKind::Copy,
                                TDataManager::ChecksumLists::Written)
                  .Done,
              1U);

    const std::string list = ReadTextFile(base + "/disk1.sha256");
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 3);
    EXPECT_EQ(list.front(), '\\') << "the escaped name comes first";
    EXPECT_EQ(
        std::system(("cd '" + base + "/disk1' && sha256sum --quiet -c ../disk1.sha256").c_str()),
        0);
}

// A rerun answered "Нет для всех" left a list of 0 bytes that sha256sum rejected, and a cancelled
// medium left an empty list beside an empty folder: a list describes exactly its folder's files,
// or is not written.
TEST(CollectChecksumsTest, ARerunKeepsAListOfTheWholeFolderAndACancelLeavesNoList) {
    TempFolder folder;
    RealDataManager real;
    TDataManager& manager = real.Manager;
    manager.AddItems({folder.Write("items/a", "one"), folder.Write("items/b", "two")}, AddFiles);
    TDataManagerTestAccess::Media(manager) = {
        TMedium{manager.GetItems().cbegin(), std::next(manager.GetItems().cbegin())}};
    const std::string base = folder.MakeFolder("CDRs");
    ASSERT_EQ(manager
                  .CollectFiles(-1, base + "/disk", FileOperationKind::Copy,
                                TDataManager::ChecksumLists::Written)
                  .Done,
              1U);
    const std::string first = ReadTextFile(base + "/disk1.sha256");

    real.Parts.Prompter.Reply(Answer::Yes);      // the folder is not empty: go on
    real.Parts.Prompter.Reply(Answer::NoToAll);  // keep the files that are there
    EXPECT_EQ(manager
                  .CollectFiles(-1, base + "/disk", FileOperationKind::Copy,
                                TDataManager::ChecksumLists::Written)
                  .Done,
              1U);
    EXPECT_EQ(ReadTextFile(base + "/disk1.sha256"), first);
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 2);

    // A Cyrillic name: the emptied folder is removed through the platform's wide calls.
    real.Progress.CancelAtBytes = 0;
    const TProcessedMedia cancelled = manager.CollectFiles(
        -1, base + "/стоп", FileOperationKind::Copy, TDataManager::ChecksumLists::Written);
    EXPECT_TRUE(cancelled.Stopped);
    EXPECT_EQ(cancelled.Failed, 0U) << "a user's Cancel is no failure";
    EXPECT_FALSE(fs::exists(Utf8Path(base + "/стоп1.sha256")));
    EXPECT_FALSE(fs::exists(Utf8Path(base + "/стоп1")))
        << "the folder made for it received nothing";
}

}  // namespace
