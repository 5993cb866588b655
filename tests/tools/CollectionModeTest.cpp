// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CollectionMode.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <sstream>

#include "collection/Tdatamanager.h"
#include "divide/LowBound.h"
#include "tests/doubles/FileKinds.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/OrdinaryUser.h"
#include "tests/doubles/PosixOnly.h"
#include "tests/doubles/TempFolder.h"
#include "tests/doubles/TreeBytes.h"
#include "tools/CommandLine.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t KB = 1024;

struct ToolRun {
    int Status;
    std::string Out;
    std::string Err;
};

// The tool as main runs it: the arguments parsed, then the collection mode.
ToolRun RunTool(
    const std::vector<std::string>& args,
    std::function<bool()> interrupted = [] { return false; }) {
    const std::vector<std::string_view> views(args.begin(), args.end());
    const auto parsed = ParseDivideCommand(views);
    if (const auto* message = std::get_if<std::string>(&parsed))
        return {ExitBadInput, std::string(), *message};
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCollection(std::get<DivideCommand>(parsed).Collection,
                                     {in, out, err, false, std::move(interrupted)});
    return {status, out.str(), err.str()};
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(Utf8Path(path), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// What the window's own core makes of an input: a data manager fed by the window's operations,
// its questions answered from a script, divided to the end; the plan printed the tool's way and
// the lists written by the core's writers into folder.
struct CorePlan {
    std::string Plan;
    std::vector<std::string> Lists;      // disk1.txt, disk2.txt...
    std::vector<std::string> Playlists;  // disk1.m3u... (music)
};

CorePlan RunCore(std::uint8_t type, std::uint64_t capacity, std::uint32_t pause, bool discCount,
                 const std::function<void(TDataManager&, DataManagerFixtureParts&)>& feed,
                 const std::string& folder) {
    DataManagerFixtureParts parts;
    TDataManager manager(parts.Collection, parts.Medium, parts.Host());
    manager.SetCollectionType(static_cast<CollectionKind>(type));
    feed(manager, parts);
    CorePlan core;
    if (!manager.PrepareDivision(capacity, LowBoundOf(capacity, 99.9f), pause, discCount))
        return core;
    parts.UiThread.PumpUntil([&] { return parts.Listener.Ended > 0; });
    manager.DivisionFinished();
    for (std::size_t i = 0; i < manager.GetMedia().size(); ++i) {
        std::uint64_t sum = 0;
        std::string paths;
        for (const auto& item : manager.GetMedia()[i]) {
            sum += item->Size;
            paths += "\t" + item->Path + "\n";
        }
        core.Plan += "Носитель " + std::to_string(i + 1) + "\t" + manager.ValueText(sum) + "\n";
        core.Plan += paths;
    }
    fs::create_directories(folder);
    manager.SaveTextLists(-1, folder + "/disk");
    if (type == 1)
        manager.SavePlaylists(-1, folder + "/disk");
    for (std::size_t i = 1; i <= manager.GetMedia().size(); ++i) {
        core.Lists.push_back(ReadFile(folder + "/disk" + std::to_string(i) + ".txt"));
        if (type == 1)
            core.Playlists.push_back(ReadFile(folder + "/disk" + std::to_string(i) + ".m3u"));
    }
    return core;
}

// A files tree: photos (2019: 3 × 300 kB, 2020: 2 × 500 kB, notes 100 kB) and extra.bin 650 kB;
// and two playlists, one with an entry whose file is missing.
void MakeInput(const TempFolder& folder) {
    for (const char* name : {"a", "b", "c"})
        folder.MakeFile(std::string("photos/2019/") + name, 300 * KB);
    folder.MakeFile("photos/2020/d", 500 * KB);
    folder.MakeFile("photos/2020/e", 500 * KB);
    folder.MakeFile("photos/notes", 100 * KB);
    folder.MakeFile("extra.bin", 650 * KB);
    for (const char* name : {"t1", "t2", "t3", "s1", "s2", "s3"})
        folder.MakeFile(std::string("music/") + name + ".mp3", 1);
    folder.Write("music/album1.m3u",
                 "#EXTM3U\r\n#EXTINF:600,One\r\nt1.mp3\r\n#EXTINF:500,Two\r\nt2.mp3\r\n"
                 "#EXTINF:400,Gone\r\ngone.mp3\r\n");
    folder.Write("music/album2.m3u",
                 "#EXTM3U\n#EXTINF:900,S1\ns1.mp3\n#EXTINF:1300,S2\ns2.mp3\n#EXTINF:1000,S3\n"
                 "s3.mp3\n#EXTINF:700,T3\nt3.mp3\n");
}

// A tool whose wiring differs from the window's (a wrong add method, group, pause, capacity,
// tolerance or writer) prints another plan or writes other lists than the core does.
TEST(CollectionModeTest, PlanAndListsMatchTheWindowsCore) {
    TempFolder folder;
    MakeInput(folder);
    const std::string photos = folder / "photos";
    const std::string extra = folder / "extra.bin";
    const std::string album1 = folder / "music/album1.m3u";
    const std::string album2 = folder / "music/album2.m3u";
    using Feed = std::function<void(TDataManager&, DataManagerFixtureParts&)>;
    const struct {
        std::vector<std::string> Args;
        std::uint8_t Type;
        std::uint64_t Capacity;
        std::uint32_t Pause;
        bool DiscCount;
        Feed Feeder;
        int Status;
    } cases[] = {
        // Folders as items, the oversized one replaced by its contents; a path from a list.
        {{"--capacity", "1M", photos, "--from-file", folder.Write("list", "\n" + extra + "\r\n")},
         0,
         1024 * KB,
         0,
         false,
         [&](TDataManager& manager, DataManagerFixtureParts& parts) {
             parts.Prompter.Reply(Answer::Expand);
             manager.AddItems({photos}, AddFolder);
             manager.AddItems({extra}, AddFiles);
         },
         0},
        // A folder's contents as items.
        {{"--capacity", "1600K", "--contents", photos},
         0,
         1600 * KB,
         0,
         false,
         [&](TDataManager& manager, DataManagerFixtureParts&) {
             manager.AddItems({photos}, AddFromFolder);
         },
         0},
        // Each file counted as what it takes on a disc image: 2020 (1000 kB of bytes) no longer
        // fits 1100 kB and is replaced by its files.
        {{"--capacity", "1100K", "--contents", "--disc-count", photos},
         0,
         1100 * KB,
         0,
         true,
         [&](TDataManager& manager, DataManagerFixtureParts& parts) {
             parts.Prompter.Reply(Answer::Expand);
             manager.AddItems({photos}, AddFromFolder);
         },
         0},
        // Two playlists, the first a group, pauses counted; the missing entry is skipped, so not
        // everything asked for is placed.
        {{"--music", "--capacity", "40m", "--pause", "2", "--group", "1", album1, "--group", "0",
          album2},
         1,
         240000,
         200,
         false,
         [&](TDataManager& manager, DataManagerFixtureParts& parts) {
             parts.Prompter.Reply(Answer::Yes);
             manager.AddItems({album1}, AddFromPlaylist);
             parts.Collection.SelectAll();
             manager.SetGroupOfSelected(1);
             for (auto& row : parts.Collection.Rows)
                 row.Selected = false;
             manager.AddItems({album2}, AddFromPlaylist);
         },
         1},
    };
    for (const auto& c : cases) {
        const CorePlan core =
            RunCore(c.Type, c.Capacity, c.Pause, c.DiscCount, c.Feeder, folder / "core");
        std::vector<std::string> args = c.Args;
        args.insert(args.end(), {"--lists", folder / "tool"});
        if (c.Type == 1)
            args.insert(args.end(), {"--playlists", folder / "tool"});
        const ToolRun run = RunTool(args);
        ASSERT_FALSE(core.Plan.empty()) << args.front();
        EXPECT_EQ(run.Out, core.Plan) << run.Err;
        EXPECT_EQ(run.Status, c.Status) << run.Err;
        for (std::size_t i = 0; i < core.Lists.size(); ++i) {
            const std::string name = folder / ("tool/disk" + std::to_string(i + 1));
            EXPECT_EQ(ReadFile(name + ".txt"), core.Lists[i]) << name;
            if (c.Type == 1) {
                EXPECT_EQ(ReadFile(name + ".m3u"), core.Playlists[i]) << name;
            }
        }
        fs::remove_all(folder / "core");
        fs::remove_all(folder / "tool");
    }
}

// Links, copies and moves that miss an item, put it in the wrong medium folder, or answer a
// clash otherwise than the options say.
TEST(CollectionModeTest, FileActionsFollowThePlanAndTheClashAnswers) {
    TempFolder folder;
    MakeInput(folder);
    const std::string photos = folder / "photos";
    const std::string out = folder / "out";
    // 2019 (900 kB) and 2020 (1000 kB) each on a medium of their own; notes with one of them.
    const std::vector<std::string> base = {"--capacity", "1100K", "--contents", photos, "--json"};
    const auto with = [&](std::vector<std::string> more) {
        more.insert(more.begin(), base.begin(), base.end());
        return more;
    };

    ToolRun run;
#ifndef _WIN32  // the tool makes no folders of links on Windows
    run = RunTool(with({"--symlinks", out + "/links", "--name", "cd"}));
    EXPECT_EQ(run.Status, 0) << run.Err;
    std::set<std::string> linked;
    for (int medium = 1; medium <= 2; ++medium)
        for (const auto& entry : fs::directory_iterator(out + "/links/cd" + std::to_string(medium)))
            linked.insert(fs::read_symlink(entry.path()).string());
    EXPECT_EQ(linked,
              (std::set<std::string>{photos + "/2019", photos + "/2020", photos + "/notes"}));
#endif

    // The first medium is 2020 with notes (1100 kB exactly), the second 2019. A file notes
    // already in the first medium folder is kept by default and by --no (which also stops at
    // that folder, as it is not empty), and replaced by --yes.
    const struct {
        const char* Answer;
        bool Replaced;
        int Status;
        bool SecondMediumCopied;
    } clashes[] = {
        {nullptr, false, 1, true},
        {"--yes", true, 0, true},
        {"--no", false, 1, false},
    };
    for (const auto& c : clashes) {
        fs::remove_all(out);
        folder.Write("out/disk1/notes", "old");
        std::vector<std::string> args = with({"--copy", out});
        if (c.Answer != nullptr)
            args.push_back(c.Answer);
        run = RunTool(args);
        const char* answer = c.Answer != nullptr ? c.Answer : "default";
        EXPECT_EQ(run.Status, c.Status) << answer << run.Err;
        EXPECT_EQ(fs::file_size(out + "/disk1/notes"), c.Replaced ? 100 * KB : 3) << answer;
        EXPECT_EQ(fs::exists(out + "/disk1/2020/d"), c.SecondMediumCopied) << answer;
        EXPECT_EQ(fs::exists(out + "/disk2/2019/a"), c.SecondMediumCopied) << answer;
    }

    // An image per medium; a copy with its checksum lists.
    fs::remove_all(out);
    run = RunTool(with({"--disc-count", "--iso", out + "/iso", "--copy", out, "--checksums"}));
    EXPECT_EQ(run.Status, 0) << run.Err;
    for (const char* written :
         {"/iso/disk1.iso", "/iso/disk2.iso", "/disk1.sha256", "/disk2.sha256"})
        EXPECT_TRUE(fs::is_regular_file(out + written)) << written;
    // Which medium holds 2019 depends on how closely the disc count follows the image.
    EXPECT_NE(
        (ReadFile(out + "/disk1.sha256") + ReadFile(out + "/disk2.sha256")).find("  2019/a\n"),
        std::string::npos);

    fs::remove_all(out);
    run = RunTool(with({"--move", out}));
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(fs::is_empty(photos));
    for (const char* moved : {"/disk1/2020/e", "/disk1/notes", "/disk2/2019/c"})
        EXPECT_TRUE(fs::exists(out + moved)) << moved;
}

// Bad input that went unnoticed would divide something other than what was asked for.
TEST(CollectionModeTest, BadInputStopsWithStatus2) {
    TempFolder folder;
    MakeInput(folder);
    folder.Write("music/bad.m3u", "not a playlist\n");
    const struct {
        std::vector<std::string> Args;
        const char* Message;
    } cases[] = {
        {{"--capacity", "1M", folder / "nowhere"}, "no such file or folder"},
        {{"--music", "--capacity", "80min", folder / "music/bad.m3u"}, "cannot read the playlist"},
        {{"--music", "--capacity", "80min", folder / "extra.bin"}, "not an M3U playlist"},
        {{"--capacity", "1M", "--from-file", folder / "photos"}, "cannot read the list of paths"},
        {{"--music", "--capacity", "80min", "--missing-entries", "stop",
          folder / "music/album1.m3u"},
         "gone.mp3"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(c.Args);
        EXPECT_EQ(run.Status, ExitBadInput) << c.Message;
        EXPECT_TRUE(run.Out.empty()) << c.Message;
        EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
    }
}

// A copy that went on after Ctrl+C, or left a partial file behind, or ended with another status.
TEST(CollectionModeTest, InterruptStopsTheCopyCleanly) {
    TempFolder folder;
    folder.MakeFile("in/big", 64 * 1024 * KB);
    const std::string out = folder / "out";
    // Ctrl+C once the medium's folder is there.
    bool pressed = false;
    const ToolRun run = RunTool({"--capacity", "dvd", "--copy", out, folder / "in/big"}, [&] {
        pressed = pressed || fs::exists(out + "/disk1");
        return pressed;
    });
    EXPECT_EQ(run.Status, ExitInterrupted);
    EXPECT_FALSE(fs::exists(out + "/disk1")) << "the folder made for the medium received nothing";
}

// A folder's hidden file was left out of the medium's total but copied with it: the folder
// copied for a 700 kB medium held 908 192 bytes. With --hidden and without, the copy and the move
// write exactly the medium's total, and a move without it leaves the hidden file in place.
TEST(CollectionModeTest, HiddenEntriesAreWrittenExactlyWhenCounted) {
    for (const bool hidden : {false, true}) {
        SCOPED_TRACE(hidden ? "--hidden" : "without --hidden");
        TempFolder folder;
        folder.MakeFile("in/album/track", 600000);
        folder.MakeFile("in/album/.hidden", 300000);
        const std::string total = hidden ? "900000" : "600000";
        for (const char* action : {"--copy", "--move"}) {
            std::vector<std::string> args = {
                "--capacity",       "1000K", "--json", action, folder / (action + 2),
                folder / "in/album"};
            if (hidden)
                args.push_back("--hidden");
            const ToolRun run = RunTool(args);
            EXPECT_EQ(run.Status, 0) << action << run.Err;
            EXPECT_NE(run.Out.find("\"total\": " + total + ","), std::string::npos) << run.Out;
            EXPECT_EQ(std::to_string(BytesInTree(folder / (action + 2) + "/disk1")), total)
                << action;
        }
        EXPECT_EQ(fs::exists(folder / "in/album/.hidden"), !hidden);
    }
}

// Would catch a mode that ignores --medium-time-limit or Ctrl+C during the search: 60 sizes of
// about a tenth of a medium that never fill one to its bound keep each medium's search going for
// minutes; with the limit every medium is taken, Ctrl+C ends the run with status 130. A mode that
// ignores either is ended by the other (the watchdog's Ctrl+C, or the limit) with the wrong status.
TEST(CollectionModeTest, TimeLimitAndInterruptEndLongSearchesInEveryMode) {
    TempFolder folder;
    std::mt19937_64 random(5);
    std::vector<std::string> files;
    std::string playlist = "#EXTM3U\n";
    for (int i = 0; i < 60; ++i) {
        const std::string name = std::to_string(i);
        // Even sizes onto an odd capacity at 100 %: no medium ever reaches its bound.
        files.push_back(folder.MakeFile(
            "files/" + name,
            2 * std::uniform_int_distribution<std::uint64_t>(416667, 625000)(random)));
        folder.MakeFile("music/" + name + ".mp3", 1);
        // Whole seconds without pause onto 1 000 000.5 s, lengths so varied that few
        // combinations share a total.
        playlist +=
            "#EXTINF:" + std::to_string(std::uniform_int_distribution<int>(83333, 125000)(random)) +
            ",T\n" + name + ".mp3\n";
    }
    folder.Write("music/long.m3u", playlist);
    std::vector<std::string> paths = {"--capacity", "10000001", "--tolerance", "100"};
    paths.insert(paths.end(), files.begin(), files.end());
    const std::vector<std::vector<std::string>> modes = {
        paths,
        {"--contents", "--capacity", "10000001", "--tolerance", "100", folder / "files"},
        {"--music", "--pause", "0", "--capacity", "1000000.5s", "--tolerance", "100",
         folder / "music/long.m3u"}};
    for (const auto& mode : modes) {
        for (const bool limit : {true, false}) {
            std::vector<std::string> args = mode;
            if (limit)
                args.insert(args.end(), {"--medium-time-limit", "0.05"});
            const auto start = std::chrono::steady_clock::now();
            const auto after = limit ? std::chrono::seconds(60) : std::chrono::seconds(1);
            const ToolRun run =
                RunTool(args, [&] { return std::chrono::steady_clock::now() - start > after; });
            EXPECT_EQ(run.Status, limit ? ExitPlaced : ExitInterrupted) << mode[0] << run.Err;
            if (limit) {
                EXPECT_EQ(run.Out.find("Носитель 1\t"), 0U) << mode[0];
            }
        }
    }
}

// Would catch an input libisofs crashes on or leaves out with its folder, two items of one name
// where the image holds the first only, or a medium told as done without all its items: each set
// is one medium, and its image is done only when it holds everything.
TEST(CollectionModeTest, AnImageIsDoneOnlyWhenItHoldsEveryItem) {
    const struct {
        const char* Case;
        // The items; none where the system cannot make the case's link.
        std::function<std::vector<std::string>(const TempFolder&)> Make;
        int Status;        // -1: libisofs's own outcome, its known fault or the whole image
        const char* Told;  // in standard error, when the run fails
    } cases[] = {
        {"link to a name over 255 bytes",
         [](const TempFolder& f) {
             f.Write("d/file", "x");
             if (!MakeSymbolicLink(std::string(300, 'x'), f / "d/link"))
                 return std::vector<std::string>();
             return std::vector<std::string>{f / "d"};
         },
         1, "длиннее 255 байт"},
        {"link of 1024 bytes",
         [](const TempFolder& f) {
             f.Write("d/file", "x");
             std::string target;
             while (target.size() < 1024)
                 target += std::string(100, 'y') + "/";
             if (!MakeSymbolicLink(target.substr(0, 1024), f / "d/link"))
                 return std::vector<std::string>();
             return std::vector<std::string>{f / "d"};
         },
         1, "1024 байта"},
        {"20 names of 240 bytes in one folder",
         [](const TempFolder& f) {
             for (int i = 10; i < 30; ++i)
                 f.Write("d/" + std::to_string(i) + std::string(238, 'n'), "");
             return std::vector<std::string>{f / "d"};
         },
         // libisofs 1.5.4 (Debian 12) lays these names out wrongly; 1.5.6 (Debian 13) does not.
         -1, "address mismatch"},
        {"two DCIM folders that merge",
         [](const TempFolder& f) {
             f.Write("a/DCIM/x", "x");
             f.Write("b/DCIM/y", "y");
             return std::vector<std::string>{f / "a/DCIM", f / "b/DCIM"};
         },
         0, "iso: 1 of 1 media done"},
        {"two DCIM folders with a file of one name",
         [](const TempFolder& f) {
             f.Write("a/DCIM/x", "x");
             f.Write("b/DCIM/x", "other");
             return std::vector<std::string>{f / "a/DCIM", f / "b/DCIM"};
         },
         1, "в образе уже есть элемент с таким именем"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        std::vector<std::string> args = {"--capacity", "700M", "--iso", folder / "iso"};
        const std::vector<std::string> items = c.Make(folder);
        if (items.empty())
            continue;
        args.insert(args.end(), items.begin(), items.end());
        const ToolRun run = RunTool(args);
        const int status =
            c.Status >= 0 ? c.Status : (run.Err.find(c.Told) != std::string::npos ? 1 : 0);
        EXPECT_EQ(run.Status, status) << c.Case << run.Err;
        if (status != 0) {
            EXPECT_NE(run.Err.find(c.Told), std::string::npos) << c.Case << run.Err;
            EXPECT_NE(run.Err.find("iso: 0 of 1 media done"), std::string::npos) << c.Case;
        } else {
            EXPECT_NE(run.Err.find("iso: 1 of 1 media done"), std::string::npos) << c.Case;
            const fs::directory_iterator images{Utf8Path(folder / "iso")};
            EXPECT_EQ(std::distance(fs::begin(images), fs::end(images)), 1) << c.Case;
        }
        // A failure of libisofs's own comes with what is known of it.
        EXPECT_EQ(run.Err.find("address mismatch") != std::string::npos,
                  run.Err.find("Это известная ошибка libisofs") != std::string::npos)
            << c.Case;
    }
}

// Would catch a folder whose size cannot be read stopping a files run as a playlist that cannot
// be read: it is told of and the run goes on (it is left out, status 1).
TEST(CollectionModeTest, AnUnreadableFolderIsNoPlaylist) {
    SKIP_ON_WINDOWS("permission bits");
    TempFolder folder;
    const OrdinaryUser user;
    const std::string locked = folder.MakeFolder("in/locked");
    folder.Write("in/locked/inner", "inner");
    const std::string ok = folder.Write("in/ok", "ok");
    for (const std::string& path : {folder.Root, folder / "in", ok})
        user.Own(path, 0755);
    user.Own(locked, 0);
    const int result = user.Run([&] {
        const ToolRun run = RunTool({"--capacity", "1M", locked, ok});
        const bool playlist = run.Err.find("playlist") != std::string::npos;
        return run.Status + (playlist ? 100 : 0);
    });
    EXPECT_EQ(result, ExitNotAllDone);
}

}  // namespace

// --fewest-media on paths: the JSON tells the proven least, and the default way tells nothing.
// Catches the option not reaching the data manager or the field missing.
TEST(CollectionModeTest, FewestMediaReportsTheLeastInJson) {
    TempFolder folder;
    MakeInput(folder);
    const std::vector<std::string> base = {"--capacity", "1100K", "--contents", folder / "photos",
                                           "--json"};
    std::vector<std::string> fewest = base;
    fewest.push_back("--fewest-media");
    const ToolRun proven = RunTool(fewest);
    EXPECT_EQ(proven.Status, 0) << proven.Err;
    EXPECT_NE(proven.Out.find("\"fewestMedia\": {\"bound\": 2, \"proven\": true}"),
              std::string::npos)
        << proven.Out;
    const ToolRun plain = RunTool(base);
    EXPECT_NE(plain.Out.find("\"fewestMedia\": null"), std::string::npos) << plain.Out;
}
