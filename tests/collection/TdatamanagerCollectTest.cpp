#include "collection/Tdatamanager.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/PosixFileOperations.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/RecordingProgress.h"
#include "tests/doubles/TempFolder.h"
#include "tests/platform/ScratchMount.h"

namespace fs = std::filesystem;

namespace {

std::string NotEmptyQuestion(const std::string& folder) {
    return "Каталог " + folder + " не пустой.\nДействительно хотите собрать в нём файлы носителя?";
}

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
    Manager.CollectFiles(1, Base + "/disk", true);

    EXPECT_TRUE(fs::is_directory(Base + "/disk2"));
    EXPECT_FALSE(fs::exists(Base + "/disk1"));
    EXPECT_FALSE(fs::exists(Base + "/disk3"));
    ASSERT_EQ(Calls().size(), 1U);
    EXPECT_EQ(Calls()[0].Kind, FileOperationKind::Copy);
    EXPECT_EQ(Calls()[0].Sources,
              (std::vector<std::string>{Folder / "items/c", Folder / "items/b"}))
        << "the medium's order";
    EXPECT_EQ(Calls()[0].Destination, Base + "/disk2/");
    EXPECT_EQ(Calls()[0].Title, "Носитель №2 Сбор файлов в один каталог...");
    EXPECT_TRUE(Parts.Prompter.Asked.empty());
}

TEST_F(CollectFilesTest, AllMediaInOrderAndTheMoveKind) {
    MakeMedia({{"a"}, {"b"}, {"c"}});
    Manager.CollectFiles(-1, Base + "/disk", false);
    ASSERT_EQ(Calls().size(), 3U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Calls()[i].Kind, FileOperationKind::Move);
        EXPECT_EQ(Calls()[i].Destination, Base + "/disk" + std::to_string(i + 1) + "/");
        EXPECT_EQ(Calls()[i].Title,
                  "Носитель №" + std::to_string(i + 1) + " Сбор файлов в один каталог...");
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
                          {"file", "file.txt", false, true}};
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
            Parts.Prompter.Answer(PromptButton::Yes);

        Manager.CollectFiles(-1, base + "/disk", true);

        ASSERT_EQ(Parts.Prompter.Asked.size(), c.Asked ? 1U : 0U);
        if (c.Asked) {
            const auto& asked = Parts.Prompter.Asked[0];
            EXPECT_EQ(asked.Text, NotEmptyQuestion(base + "/disk1/"));
            EXPECT_EQ(asked.Icon, PromptIcon::Question);
            EXPECT_EQ(asked.Buttons,
                      (std::vector<PromptButton>{PromptButton::Yes, PromptButton::No}));
            EXPECT_EQ(asked.Default, PromptButton::No);
        }
        EXPECT_EQ(Calls().size(), 1U) << "answered Yes or not asked";
    }
}

TEST_F(CollectFilesTest, NoEndsTheWholeOperation) {
    MakeMedia({{"a"}, {"b"}, {"c"}});
    Folder.Write("CDRs/disk2/old.txt", "old");
    Parts.Prompter.Answer(PromptButton::No);

    EXPECT_EQ(Manager.CollectFiles(-1, Base + "/disk", true), 1U);

    ASSERT_EQ(Calls().size(), 1U);
    EXPECT_EQ(Calls()[0].Destination, Base + "/disk1/");
    EXPECT_FALSE(fs::exists(Base + "/disk3")) << "later media are left alone";
}

TEST_F(CollectFilesTest, EveryMediumFollowsWhateverTheOperationReturned) {
    MakeMedia({{"a"}, {"b"}});
    Parts.FileOperations.Result = false;
    EXPECT_EQ(Manager.CollectFiles(-1, Base + "/disk", true), 0U) << "cancelled: not counted";
    EXPECT_EQ(Calls().size(), 2U);
}

// With the real service: folders arrive whole, a move leaves the collection as it was.
class CollectFilesRealTest : public CollectFilesTest {
protected:
    CollectFilesRealTest()
        : Service(Parts.Prompter, Progress),
          Host{Parts.Prompter, Parts.UiThread, Parts.Listener, Service, Parts.Icons},
          Real(Parts.Collection, Parts.Medium, Host) {}

    RecordingProgress Progress;
    PosixFileOperations Service;
    TDataManagerHost Host;
    TDataManager Real;
};

TEST_F(CollectFilesRealTest, AFolderItemArrivesWithItsWholeTree) {
    Folder.Write("items/album/01.mp3", "one");
    Folder.Write("items/album/cd2/02.mp3", "two");
    const std::string single = Folder.Write("items/single.txt", "single");
    Real.AddItems({Folder / "items/album", single}, AddMethod::AddFiles);
    TDataManagerTestAccess::Media(Real) = {
        TMedium{Real.GetItems().cbegin(), std::next(Real.GetItems().cbegin())}};

    Real.CollectFiles(0, Base + "/disk", true);

    EXPECT_EQ(ReadTextFile(Base + "/disk1/album/01.mp3"), "one");
    EXPECT_EQ(ReadTextFile(Base + "/disk1/album/cd2/02.mp3"), "two");
    EXPECT_EQ(ReadTextFile(Base + "/disk1/single.txt"), "single");
    EXPECT_EQ(Progress.Title, "Носитель №1 Сбор файлов в один каталог...");
    EXPECT_TRUE(fs::exists(Folder / "items/album/cd2/02.mp3")) << "copying keeps the sources";
}

TEST_F(CollectFilesRealTest, ASecondMoveFindsNothingAndTheServiceSaysSo) {
    const std::string file = Folder.Write("items/song.mp3", "song");
    Real.AddItems({file}, AddMethod::AddFiles);
    TDataManagerTestAccess::Media(Real) = {TMedium{Real.GetItems().cbegin()}};

    Real.CollectFiles(0, Base + "/disk", false);
    EXPECT_EQ(ReadTextFile(Base + "/disk1/song.mp3"), "song");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(Real.GetItems().front().Path, file) << "the collection keeps the old path";

    Parts.Prompter.Answer(PromptButton::Yes);  // the medium folder is no longer empty
    Parts.Prompter.Answer(PromptButton::Yes);  // skip the missing source
    Real.CollectFiles(0, Base + "/disk", false);
    ASSERT_EQ(Parts.Prompter.Asked.size(), 2U);
    EXPECT_NE(Parts.Prompter.Asked[1].Text.find(file), std::string::npos);
    EXPECT_NE(Parts.Prompter.Asked[1].Text.find(
                  std::error_code(ENOENT, std::system_category()).message()),
              std::string::npos);
    EXPECT_EQ(ReadTextFile(Base + "/disk1/song.mp3"), "song");
}

}  // namespace

TEST_F(CollectFilesTest, ALinkFoundInAFolderTravelsAsTheLinkAChosenOneAsItsTarget) {
    const std::string target = Folder.Write("target.txt", "data");
    fs::create_directories(Folder / "box");
    fs::create_symlink(target, Folder / "box/inside");
    fs::create_symlink(target, Folder / "chosen");
    Manager.AddItems({Folder / "box"}, AddMethod::AddFromFolder);
    Manager.AddItems({Folder / "chosen"}, AddMethod::AddFiles);
    TMedium all;
    for (auto it = Manager.GetItems().cbegin(); it != Manager.GetItems().cend(); ++it)
        all.push_back(it);
    TDataManagerTestAccess::Media(Manager) = {all};

    Manager.CollectFiles(0, Base + "/disk", true);

    ASSERT_EQ(Calls().size(), 1U);
    EXPECT_EQ(Calls()[0].Sources,
              (std::vector<std::string>{Folder / "box/inside", Folder / "chosen"}));
    EXPECT_EQ(Calls()[0].LinksItself, (std::vector<bool>{true, false}));
}
