// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/Tdatamanager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/TextFileEncoding.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/TempFolder.h"
#include "tests/doubles/Utf8Playlist.h"
#include "tests/platform/ScratchMount.h"

namespace fs = std::filesystem;

namespace {

// A written file's text, decoded as the program reads its own files (on Windows: from the ANSI
// code page, or as UTF-8 after a byte-order mark).
std::string TextOf(const std::string& path) {
    if (!fs::is_regular_file(Utf8Path(path)))
        return "<missing>";
    return TextFileDecoder().Line(ReadTextFile(path));
}

class ListWritersTest : public ::testing::Test {
protected:
    ListWritersTest() : Manager(Parts.Collection, Parts.Medium, Parts.Host()) {
        Base = Folder.MakeFolder("CDRs");
    }
    ~ListWritersTest() override { EXPECT_TRUE(Parts.Prompter.ScriptUsed()); }

    // Adds files of the given sizes; they are named so that the collection keeps their order.
    std::vector<TConstItemPosition> AddFiles(const std::vector<std::uint64_t>& sizes,
                                             const std::string& stem) {
        std::vector<std::string> paths;
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            const std::string number = (i < 9 ? "0" : "") + std::to_string(i + 1);
            paths.push_back(Folder.MakeFile(stem + " " + number + ".dat", sizes[i]));
        }
        Manager.AddItems(paths, AddMethod::AddFiles);
        std::vector<TConstItemPosition> added;
        for (auto it = Manager.GetItems().cbegin(); it != Manager.GetItems().cend(); ++it) {
            if (it->Name.rfind(stem + " ", 0) == 0)
                added.push_back(it);
        }
        return added;
    }

    // Media of n items each, one item per file.
    void MakeMedia(const std::vector<std::size_t>& counts) {
        for (std::size_t m = 0; m < counts.size(); ++m) {
            const auto items =
                AddFiles(std::vector<std::uint64_t>(counts[m], 1), "m" + std::to_string(m + 1));
            TDataManagerTestAccess::Media(Manager).emplace_back(items.begin(), items.end());
        }
    }

    void ExpectCannotCreate(const std::string& path) {
        ASSERT_EQ(Parts.Prompter.Asked.size(), 1U);
        const auto& asked = Parts.Prompter.Asked[0];
        EXPECT_EQ(asked.Kind, QuestionKind::FileNotWritten);
        EXPECT_EQ(asked.Path, path);
        EXPECT_EQ(asked.Answers, std::vector<Answer>{Answer::Ok});
    }

    TempFolder Folder;
    std::string Base;
    DataManagerFixtureParts Parts;
    TDataManager Manager;
};

TEST_F(ListWritersTest, TextListNumbersLinesWithAWidthPerMedium) {
    const auto ten = AddFiles(
        {0, 1023, 1024, 1536, 1048575, 1048576, 734003200, 1073741823, 1073741824, 4700000000ULL},
        "Файл");
    const auto seven = AddFiles({1, 2, 3, 4, 5, 6, 7}, "seven");
    TDataManagerTestAccess::Media(Manager) = {TMedium(ten.begin(), ten.end()),
                                              TMedium(seven.begin(), seven.end())};

    Manager.SaveTextLists(-1, Base + "/disk");

    EXPECT_EQ(TextOf(Base + "/disk1.txt"),
              "01. Файл 01.dat\t0 Б\r\n"
              "02. Файл 02.dat\t1023 Б\r\n"
              "03. Файл 03.dat\t1.00 кБ\r\n"
              "04. Файл 04.dat\t1.50 кБ\r\n"
              "05. Файл 05.dat\t1024 кБ\r\n"
              "06. Файл 06.dat\t1.00 МБ\r\n"
              "07. Файл 07.dat\t700 МБ\r\n"
              "08. Файл 08.dat\t1024 МБ\r\n"
              "09. Файл 09.dat\t1.00 ГБ\r\n"
              "10. Файл 10.dat\t4.38 ГБ\r\n");
    EXPECT_EQ(TextOf(Base + "/disk2.txt"),
              "1. seven 01.dat\t1 Б\r\n2. seven 02.dat\t2 Б\r\n3. seven 03.dat\t3 Б\r\n"
              "4. seven 04.dat\t4 Б\r\n5. seven 05.dat\t5 Б\r\n6. seven 06.dat\t6 Б\r\n"
              "7. seven 07.dat\t7 Б\r\n");
}

TEST_F(ListWritersTest, AHundredItemsGetThreeDigits) {
    MakeMedia({100});
    Manager.SaveTextLists(0, Base + "/disk");
    const std::string text = TextOf(Base + "/disk1.txt");
    EXPECT_EQ(text.rfind("001. m1 01.dat\t1 Б\r\n", 0), 0U) << text.substr(0, 40);
    EXPECT_NE(text.find("\r\n099. m1 "), std::string::npos);
    EXPECT_NE(text.find("\r\n100. m1 "), std::string::npos);
    EXPECT_EQ(text.find("\r\n101. "), std::string::npos);
}

TEST_F(ListWritersTest, IndexChoosesOneMediumOrAll) {
    struct Case {
        int Index;
        std::vector<bool> Written;
    };
    const Case cases[] = {{2, {false, false, true, false, false}},
                          {0, {true, false, false, false, false}},
                          {-1, {true, true, true, true, true}},
                          {5, {false, false, false, false, false}}};
    MakeMedia({1, 2, 3, 1, 1});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Index);
        for (const bool playlist : {false, true}) {
            const std::string folder =
                Folder.MakeFolder("run" + std::to_string(c.Index) + (playlist ? "m3u" : "txt"));
            if (playlist)
                Manager.SavePlaylists(c.Index, folder + "/disk");
            else
                Manager.SaveTextLists(c.Index, folder + "/disk");
            for (std::size_t m = 0; m < c.Written.size(); ++m) {
                const std::string name =
                    "/disk" + std::to_string(m + 1) + (playlist ? ".m3u" : ".txt");
                EXPECT_EQ(fs::exists(folder + name), c.Written[m]) << name;
            }
        }
    }
}

TEST_F(ListWritersTest, AnExistingFileIsOverwrittenWithoutAQuestion) {
    MakeMedia({1});
    Folder.Write("CDRs/disk1.txt", std::string(500, 'x'));
    Manager.SaveTextLists(0, Base + "/disk");
    EXPECT_EQ(TextOf(Base + "/disk1.txt"), "1. m1 01.dat\t1 Б\r\n");
    EXPECT_TRUE(Parts.Prompter.Asked.empty());
}

TEST_F(ListWritersTest, TheFirstFileThatCannotBeCreatedStopsTheRun) {
    MakeMedia({1, 1, 1});
    for (const bool playlist : {false, true}) {
        SCOPED_TRACE(playlist ? "playlists" : "text lists");
        Parts.Prompter.Asked.clear();
        const std::string extension = playlist ? ".m3u" : ".txt";
        // A folder in the way cannot be opened as a file, whoever runs the test.
        const std::string folder = Folder.MakeFolder(std::string("stop") + extension);
        Folder.MakeFolder(std::string("stop") + extension + "/disk2" + extension);
        Parts.Prompter.Reply(Answer::Ok);
        const TProcessedMedia written = playlist ? Manager.SavePlaylists(-1, folder + "/disk")
                                                 : Manager.SaveTextLists(-1, folder + "/disk");
        EXPECT_EQ(written.Done, 1U);
        EXPECT_EQ(written.Failed, 1U);
        EXPECT_FALSE(written.Stopped) << "a failure, not the user, ended the run";
        ExpectCannotCreate(folder + "/disk2" + extension);
        EXPECT_TRUE(fs::is_regular_file(folder + "/disk1" + extension));
        EXPECT_FALSE(fs::exists(folder + "/disk3" + extension));
    }
}

TEST_F(ListWritersTest, AVanishedFolderIsReported) {
    MakeMedia({1});
    Parts.Prompter.Reply(Answer::Ok);
    Manager.SaveTextLists(-1, Folder / "gone/disk");
    ExpectCannotCreate(Folder / "gone/disk1.txt");
}

TEST_F(ListWritersTest, AFullDiskIsReportedNotPassedOverInSilence) {
    ScratchMount mount(Folder / "small", "64k");
    if (!mount.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    MakeMedia({2000, 1});
    mount.Fill("filler");
    Parts.Prompter.Reply(Answer::Ok);
    Manager.SaveTextLists(-1, Folder / "small/disk");
    ExpectCannotCreate(Folder / "small/disk1.txt");
    // A list cut short (or empty) under its name was taken for a whole one.
    EXPECT_FALSE(fs::exists(Folder / "small/disk1.txt"));
    EXPECT_FALSE(fs::exists(Folder / "small/disk2.txt"));
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder / "small"), fs::directory_iterator()), 1)
        << "only the filler";
}

// ---- Playlists ----

class PlaylistWriterTest : public ListWritersTest {
protected:
    PlaylistWriterTest() {
        Manager.SetCollectionType(MusicTracks);
        First = Folder.MakeFile("Музыка с пробелами/01 Первая песня.mp3", 10);
        Second = Folder.MakeFile("Музыка с пробелами/02 second, song.mp3", 20);
        Third = Folder.MakeFile("other folder/03.mp3", 30);
    }

    // Reads a playlist into a fresh data manager and returns its items in order.
    static std::vector<TColItem> ReadBack(const std::string& playlist) {
        DataManagerFixtureParts parts;
        TDataManager manager(parts.Collection, parts.Medium, parts.Host());
        manager.SetCollectionType(MusicTracks);
        manager.LoadPlaylist(playlist, MusicTracks);
        EXPECT_TRUE(parts.Prompter.Asked.empty());
        return std::vector<TColItem>(manager.GetItems().begin(), manager.GetItems().end());
    }

    std::string First;
    std::string Second;
    std::string Third;
};

TEST_F(PlaylistWriterTest, WritesTheDialectByteForByte) {
    Manager.LoadPlaylist(
        Folder.Write("in.m3u",
                     Utf8PlaylistFile("#EXTM3U\r\n#EXTINF:215,Исполнитель – Первая\r\n" + First +
                                      "\r\n#EXTINF:7,Artist, Song\r\n" + Second + "\r\n")),
        MusicTracks);
    ASSERT_EQ(Manager.GetItems().size(), 2U);
    TDataManagerTestAccess::SetItemSize(Manager, 1, 799);  // 7.99 s: rounded down to whole ones
    auto second = std::next(Manager.GetItems().begin());
    TDataManagerTestAccess::Media(Manager) = {TMedium{second, Manager.GetItems().begin()}};

    // Under a code page without Cyrillic (Windows) the file is a ".m3u8": read it where written.
    const TProcessedMedia written = Manager.SavePlaylists(0, Base + "/Мой диск ");

    ASSERT_EQ(written.Files.size(), 1U);
    EXPECT_EQ(written.Files[0].rfind(Base + "/Мой диск 1.m3u", 0), 0U);
    EXPECT_EQ(TextOf(written.Files[0]), "#EXTM3U\r\n#EXTINF:7,Artist, Song\r\n" + Second +
                                            "\r\n#EXTINF:215,Исполнитель – Первая\r\n" + First +
                                            "\r\n");
}

// A playlist whose names the ANSI code page of Windows cannot hold came out with "?" for them, or
// as UTF-8 that players read as ANSI: there it goes out as UTF-8 with a byte-order mark under
// ".m3u8", and the files written name it; elsewhere the text is UTF-8 already.
TEST_F(PlaylistWriterTest, NamesNoCodePageHoldsGoOutAsUtf8) {
    const std::string track = Folder.MakeFile("Ж中ā.mp3", 10);
    Manager.LoadPlaylist(
        Folder.Write("in.m3u", Utf8PlaylistFile("#EXTM3U\r\n#EXTINF:5,x\r\n" + track + "\r\n")),
        MusicTracks);
    ASSERT_EQ(Manager.GetItems().size(), 1U);
    TDataManagerTestAccess::Media(Manager) = {TMedium{Manager.GetItems().begin()}};
#ifdef _WIN32
    const std::string name = "/disk1.m3u8";
    const std::string mark = "\xEF\xBB\xBF";
#else
    const std::string name = "/disk1.m3u";
    const std::string mark;
#endif

    const TProcessedMedia written = Manager.SavePlaylists(0, Base + "/disk");

    EXPECT_EQ(written.Files, std::vector<std::string>{Base + name});
    EXPECT_EQ(ReadTextFile(Base + name), mark + "#EXTM3U\r\n#EXTINF:5,x\r\n" + track + "\r\n");
}

TEST_F(PlaylistWriterTest, AnEmptyMediumIsJustTheHeader) {
    TDataManagerTestAccess::Media(Manager) = {TMedium{}};
    Manager.SavePlaylists(0, Base + "/disk");
    EXPECT_EQ(TextOf(Base + "/disk1.m3u"), "#EXTM3U\r\n");
}

TEST_F(PlaylistWriterTest, ReadsBackAsTheSameTracks) {
    Manager.LoadPlaylist(
        Folder.Write("in.m3u", Utf8PlaylistFile("#EXTM3U\n#EXTINF:215,Первая песня\n" + First +
                                                "\n#EXTINF:3600,second, song\n" + Second +
                                                "\n#EXTINF:1,Ё\n" + Third + "\n")),
        MusicTracks);
    ASSERT_EQ(Manager.GetItems().size(), 3U);
    TDataManagerTestAccess::Media(Manager) = {TMedium{}};
    for (auto it = Manager.GetItems().cbegin(); it != Manager.GetItems().cend(); ++it)
        TDataManagerTestAccess::Media(Manager)[0].push_back(it);

    const TProcessedMedia written = Manager.SavePlaylists(-1, Base + "/disk");
    ASSERT_EQ(written.Files.size(), 1U);
    const auto read = ReadBack(written.Files[0]);

    ASSERT_EQ(read.size(), 3U);
    auto original = Manager.GetItems().cbegin();
    for (const auto& item : read) {
        SCOPED_TRACE(original->Name);
        EXPECT_EQ(item.Name, original->Name);
        EXPECT_EQ(item.Path, original->Path);
        EXPECT_EQ(item.Size, original->Size);
        ++original;
    }
}

}  // namespace
