// SPDX-License-Identifier: GPL-3.0-or-later
#include "winamp/WinampHostAudacious.h"

#include <signal.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "collection/Tdatamanager.h"
#include "platform/AtomicFile.h"
#include "platform/ChildProcess.h"
#include "platform/IconList.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/PrivateAudacious.h"
#include "tests/doubles/ScriptedPrompter.h"
#include "tests/doubles/ScriptedWinampPathDialog.h"
#include "tests/doubles/TempFolder.h"
#include "winamp/PlayerExchangeProgress.h"
#include "winamp/Winamp.h"

namespace {

using namespace std::chrono_literals;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1)
        lines.push_back(text.substr(begin, end - begin));
    return lines;
}

// Audacious started by the host on a private session bus (skipped where it is not installed).
class AudaciousExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Session.Installed)
            GTEST_SKIP() << Session.Problem;
        ASSERT_EQ(Session.Problem, "");
    }

    // The locations in the player's current playlist, once it holds the number expected (the
    // player adds files in the background).
    std::vector<std::string> PlayerPlaylist(std::size_t expected) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (RunProcess("audtool", {"playlist-length"}, 5s).Output !=
                   std::to_string(expected) + "\n" &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(50ms);
        std::vector<std::string> commands;
        for (std::size_t entry = 1; entry <= expected; ++entry)
            commands.insert(commands.end(), {"playlist-song-filename", std::to_string(entry)});
        return Lines(RunProcess("audtool", commands, 5s).Output);
    }

    // Sends the tracks as a medium in this order, as the Results page's button does.
    static void SendAsMedium(const std::vector<std::string>& tracks, TWinamp& winamp) {
        DataManagerFixtureParts parts;
        TDataManager sender(parts.Collection, parts.Medium, parts.Host());
        sender.SetCollectionType(MusicTracks);
        PlainIconList icons;
        TMedium medium;
        for (const std::string& track : tracks) {
            TDataManagerTestAccess::Append(sender, ItemFromTrack(track, track, 100, icons));
            medium.push_back(std::prev(sender.GetItems().cend()));
        }
        TDataManagerTestAccess::Media(sender).push_back(medium);
        sender.SendMediumToWinamp(0, winamp);
    }

    PrivateAudaciousSession Session;
    WinampHostAudacious& Host = Session.Host;
    TempFolder Music;
};

// Names that a URL, a playlist's line or the command line could bend used to be sent one
// argument each; sent as a playlist file they must still arrive byte for byte, and a name no
// playlist line can hold (a line break) goes the slower way, whole.
TEST_F(AudaciousExchangeTest, AwkwardNamesArriveExactly) {
    const std::vector<std::string> awkward = {
        "with space.wav",   "hash#tag.wav",          "per%20cent.wav",    "comma, here.wav",
        "quote\"s'.wav",    "bad\xff\xfe bytes.wav", "#EXTINF:3,x.wav",   "#EXTM3U",
        " lead and trail ", "tab\tin.wav",           "#EXT folder/x.wav", "Имя.wav"};
    struct Case {
        const char* name;
        std::vector<std::string> names;
    };
    std::vector<std::string> withLineBreak = awkward;
    withLineBreak.insert(withLineBreak.begin() + 3, "line\nbreak.wav");
    const std::vector<Case> cases = {{"as a playlist file", awkward},
                                     {"many to a call", withLineBreak}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> files;
        for (const std::string& name : c.names)
            files.push_back(Music.Write(name, Wav(1, "A", "B", name)));
        ScriptedPrompter questions;
        ScriptedWinampPathDialog dialog;
        TWinamp winamp(Host, questions, dialog);

        SendAsMedium(files, winamp);
        // audtool answers a location that holds a line break on two lines: the locations are
        // compared as one text.
        std::string expected;
        for (const std::string& file : files)
            expected += file + "\n";
        std::string arrived;
        for (const std::string& line : PlayerPlaylist(files.size()))
            arrived += line + "\n";
        EXPECT_EQ(arrived, expected);
        EXPECT_TRUE(questions.Asked.empty());
    }
}

TEST_F(AudaciousExchangeTest, AMediumBecomesThePlayersPlaylistAndComesBackAsACollection) {
    const std::string folder = "Группа/Альбом/";
    const std::vector<std::string> files = {
        Music.Write(folder + "01 Первая.wav", Wav(2, "Группа", "Альбом", "Первая")),
        Music.Write(folder + "02 Вторая.wav", Wav(3, "Группа", "Альбом", "Вторая, с запятой")),
        Music.Write(folder + "03 Третья.wav", Wav(4, "Группа", "Альбом", "Третья")),
    };

    ScriptedPrompter questions;
    ScriptedWinampPathDialog dialog;
    TWinamp winamp(Host, questions, dialog);

    SendAsMedium({files[2], files[0], files[1]}, winamp);
    ASSERT_TRUE(Host.StartedPlayer());
    EXPECT_EQ(PlayerPlaylist(3), (std::vector<std::string>{files[2], files[0], files[1]}));

    const std::string playlist = winamp.getWinampPlaylistFile();
    EXPECT_EQ(playlist, Session.Home + "/vantrel/WINAMP.m3u");
    DataManagerFixtureParts imported;
    TDataManager importer(imported.Collection, imported.Medium, imported.Host());
    importer.SetCollectionType(MusicTracks);
    importer.AddItems({playlist}, AddMethod::AddFromPlaylist);

    std::vector<std::string> items;
    for (const TColItem& item : importer.GetItems())
        items.push_back(item.Name + " " + std::to_string(item.Size) + " " + item.Path);
    EXPECT_EQ(items, (std::vector<std::string>{
                         "Группа - Альбом - Первая 200 " + files[0],
                         "Группа - Альбом - Вторая, с запятой 300 " + files[1],
                         "Группа - Альбом - Третья 400 " + files[2],
                     }));
    EXPECT_TRUE(questions.Asked.empty());
    EXPECT_TRUE(dialog.Presets.empty());
}

// The player's answers as a stand-in audtool on PATH gives them: the window is there while the
// player answers, and the version word admits the playlist export from Audacious 3 on.
TEST(AudaciousAnswersTest, TheVersionWordFollowsThePlayersVersion) {
    TempFolder bin;
    const std::string audtool =
        bin.Write("audtool",
                  "#!/bin/sh\nprintf '%s\\n' \"$VANTREL_TEST_ANSWER\"\nexit "
                  "\"$VANTREL_TEST_STATUS\"\n");
    std::filesystem::permissions(audtool, std::filesystem::perms::owner_all);
    const std::string path = bin.Root + ":" + std::getenv("PATH");
    const ScopedEnvironment searchPath("PATH", path.c_str());
    struct Case {
        const char* answer;
        const char* status;
        bool expectedWindow;
        WinampVersionSupport expectedSupport;
    };
    const std::vector<Case> cases = {
        {"Audacious 4.2", "0", true, WinampVersionSupport::Supported},
        {"Audacious 3.10.1", "0", true, WinampVersionSupport::Supported},
        {"Audacious 2.5.4", "0", true, WinampVersionSupport::TooOld},
        {"", "1", false, WinampVersionSupport::TooOld},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        const ScopedEnvironment answer("VANTREL_TEST_ANSWER", c.answer);
        const ScopedEnvironment status("VANTREL_TEST_STATUS", c.status);
        WinampHostAudacious host;
        const auto window = host.FindTopLevelWindow(std::string(WinampWindowClass));
        EXPECT_EQ(window.has_value(), c.expectedWindow);
        // A player that does not answer gives no version word.
        const auto word = host.SendWindowMessage(window.value_or(0), WinampUserMessage, 0,
                                                 WinampCommandGetVersion);
        EXPECT_EQ(word.has_value(), c.expectedWindow);
        if (word) {
            EXPECT_EQ(CheckWinampVersion(*word), c.expectedSupport);
        }
    }
}

// A stand-in audtool that records each call (its first command and its number of arguments) and,
// call by call as VANTREL_TEST_PLAN says, answers ("ok"), hangs ("hang": it stops itself) or
// finds no player ("gone": as the real one, it fails on questions and takes orders silently).
// The last word of the plan holds for the calls after it. The location of the entry
// VANTREL_TEST_BREAK comes on two lines, as one holding a line break does.
constexpr const char* FakeAudtool = R"(#!/bin/sh
log="$(dirname "$0")/calls"
echo "$1 $#" >> "$log"
n=$(wc -l < "$log")
mode=$(echo "$VANTREL_TEST_PLAN" | awk -v n="$n" '{ print (n <= NF) ? $n : $NF }')
case "$mode" in
    hang) kill -STOP $$ ;;
    gone) case " $* " in *" version "*|*" playlist-length "*|*" playlist-song"*) exit 1 ;; esac ;;
esac
case "$1" in
    version) echo "Audacious 4.2" ;;
    playlist-length) echo 300 ;;
    playlist-song*) while [ $# -gt 1 ]; do
        if [ "$1 $2" = "playlist-song-filename $VANTREL_TEST_BREAK" ]; then echo "/m/$2"; fi
        echo "/m/$2"; shift 2; done ;;
esac
)";

// A player that hangs or goes away during a send or an export used to be waited for 30 s per
// remaining call and left the user without a word; a hung one was taken for none and a second
// one started; a missing audtool started the player. Now each ends at once, told, after one wait
// at most; a send without a playlist file goes 256 tracks to a call.
TEST(AudaciousFailureTest, AFailingPlayerEndsTheExchangeAtOnceAndIsTold) {
    TempFolder control;  // audtool
    TempFolder player;   // audacious, never meant to be started here
    std::filesystem::permissions(control.Write("audtool", FakeAudtool),
                                 std::filesystem::perms::owner_all);
    std::filesystem::permissions(player.Write("audacious", "#!/bin/sh\n"),
                                 std::filesystem::perms::owner_all);
    const std::string withAudtool = control.Root + ":" + player.Root + ":" + std::getenv("PATH");
    TempFolder cache;
    const ScopedEnvironment cacheHome("XDG_CACHE_HOME", cache.Root.c_str());
    const std::string find = "version 1";
    const std::string show = "mainwin-show 2";
    const std::string clear = "playlist-clear 2";
    const std::string part = "playlist-addurl 513";
    const std::string version = "version 1";
    const std::string length = "playlist-length 1";
    std::vector<std::string> tracks;
    for (int i = 0; i < 600; ++i)
        tracks.push_back("/m/" + std::to_string(i) + ".mp3");
    struct Case {
        const char* name;
        const char* plan;
        bool send;  // else the playlist is asked for
        bool withAudtool;
        std::vector<std::string> expectedCalls;
        bool expectedNotice;
    };
    const std::vector<Case> cases = {
        {"all sent",
         "ok",
         true,
         true,
         {find, show, clear, part, part, "playlist-addurl 177"},
         false},
        {"hangs during a send",
         "ok ok ok ok hang",
         true,
         true,
         {find, show, clear, part, part},
         true},
        {"goes during a send",
         "ok ok ok ok gone",
         true,
         true,
         {find, show, clear, part, part},
         true},
        {"hangs before a send", "hang", true, true, {find}, true},
        {"hangs during an export",
         "ok ok ok ok ok hang",
         false,
         true,
         {find, show, version, length, "playlist-song-filename 600",
          "playlist-song-length-seconds 600"},
         true},
        {"gone before an export",
         "ok ok ok gone",
         false,
         true,
         {find, show, version, length},
         true},
        {"no audtool", "ok", true, false, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(control / "calls");
        const ScopedEnvironment path("PATH",
                                     c.withAudtool ? withAudtool.c_str() : player.Root.c_str());
        const ScopedEnvironment plan("VANTREL_TEST_PLAN", c.plan);
        WinampHostAudacious host({}, AudaciousWaits{1s, 2s, 2s});
        ScriptedPrompter questions;
        if (c.expectedNotice)
            questions.Reply(Answer::Ok);
        ScriptedWinampPathDialog dialog;
        TWinamp winamp(host, questions, dialog);
        const auto started = std::chrono::steady_clock::now();

        if (c.send)
            EXPECT_EQ(winamp.addFilesToWinamp(tracks, std::string()), !c.expectedNotice);
        else
            EXPECT_EQ(winamp.getWinampPlaylistFile(), "");
        EXPECT_LT(std::chrono::steady_clock::now() - started, 4s);
        std::string calls;
        bool missing = false;
        ReadWholeFile(control / "calls", calls, missing);
        EXPECT_EQ(Lines(calls), c.expectedCalls);
        EXPECT_EQ(questions.Asked.size(), c.expectedNotice ? 1U : 0U);
        EXPECT_FALSE(host.StartedPlayer());
        EXPECT_FALSE(std::filesystem::exists(cache / "vantrel/WINAMP.m3u"));
        if (!c.withAudtool) {
            EXPECT_EQ(questions.Asked.at(0).Kind, QuestionKind::PlayerControlMissing);
        }
    }
}

// A stand-in audtool that records each call (its first command and its number of arguments), and
// of a playlist file it is given the permissions of the file and its folder, keeping a copy; it
// holds VANTREL_TEST_HELD entries once it has read one.
constexpr const char* FileReadingAudtool = R"sh(#!/bin/sh
dir="$(dirname "$0")"
echo "$1 $#" >> "$dir/calls"
case "$1" in
    version) echo "Audacious 4.2" ;;
    playlist-length) echo "$VANTREL_TEST_HELD" ;;
    playlist-addurl)
        case "$2" in
            *.m3u)
                stat -c %a "$2" "$(dirname "$2")" >> "$dir/calls"
                cp "$2" "$dir/sent.m3u"
                echo "$VANTREL_TEST_HELD" ;;
        esac ;;
esac
)sh";

// A medium sent a track at a time took the player 6.5 ms a track; now it goes in one call as a
// playlist file that only the user may read, gone afterwards. A player that does not read the
// file whole, and a name no playlist line holds, still get every track the old way.
TEST(AudaciousSendTest, AMediumGoesAsOnePlaylistFileWhereThePlayerReadsIt) {
    TempFolder control;  // audtool, its record of the calls and the copy of the file it read
    std::filesystem::permissions(control.Write("audtool", FileReadingAudtool),
                                 std::filesystem::perms::owner_all);
    const std::string path = control.Root + ":" + std::getenv("PATH");
    const ScopedEnvironment searchPath("PATH", path.c_str());
    TempFolder temporary;  // where the playlist file is written
    const ScopedEnvironment temporaryFolder("TMPDIR", temporary.Root.c_str());
    const std::string playlist = "#EXTM3U\r\n#EXTINF:1,a\r\n/m/a.mp3\r\n";
    const std::string find = "version 1";
    const std::string show = "mainwin-show 2";
    const std::string clear = "playlist-clear 2";
    const std::string oneCall = "playlist-addurl 3";
    struct Case {
        const char* name;
        std::vector<std::string> tracks;
        const char* held;
        std::vector<std::string> expectedCalls;  // without the counts while the file is read
    };
    const std::vector<std::string> three = {"/m/a.mp3", "/m/b c.mp3", "/m/#d.mp3"};
    const std::vector<Case> cases = {
        {"the player reads the file", three, "3", {find, show, clear, oneCall, "600", "700"}},
        {"the player takes the file as one entry",
         three,
         "1",
         {find, show, clear, oneCall, "600", "700", clear, "playlist-addurl 7"}},
        {"a name with a line break",
         {"/m/a.mp3", "/m/b\nc.mp3"},
         "2",
         {find, show, clear, "playlist-addurl 5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(control / "calls");
        std::filesystem::remove(control / "sent.m3u");
        const ScopedEnvironment held("VANTREL_TEST_HELD", c.held);
        WinampHostAudacious host({}, AudaciousWaits{1s, 1s, 1s});
        ScriptedPrompter questions;
        ScriptedWinampPathDialog dialog;
        TWinamp winamp(host, questions, dialog);

        EXPECT_TRUE(winamp.addFilesToWinamp(c.tracks, playlist));
        std::string calls;
        bool missing = false;
        ReadWholeFile(control / "calls", calls, missing);
        std::vector<std::string> lines = Lines(calls);
        lines.erase(std::remove(lines.begin(), lines.end(), "playlist-length 1"), lines.end());
        EXPECT_EQ(lines, c.expectedCalls);
        if (c.expectedCalls.size() > 4) {
            std::string sent;
            ReadWholeFile(control / "sent.m3u", sent, missing);
            EXPECT_EQ(sent, playlist);
        }
        EXPECT_TRUE(std::filesystem::is_empty(temporary.Root));
        EXPECT_TRUE(questions.Asked.empty());
    }
}

// Plays a user who watches the export and presses Cancel after so many reports.
class CancellingExportProgress : public PlayerExchangeProgress {
public:
    void Received(std::size_t entries, std::size_t total) override {
        Reports.emplace_back(entries, total);
    }
    bool CancelRequested() override { return Reports.size() >= CancelAfter; }

    std::size_t CancelAfter = SIZE_MAX;
    std::vector<std::pair<std::size_t, std::size_t>> Reports;
};

// The export used to ask 256 entries to a call, showing nothing for 22 s and letting nothing stop
// it; now each field of all entries goes in one call, the progress counts up to the whole, and a
// cancelled export leaves no playlist to import and no message.
TEST(AudaciousExportTest, AnExportAsksEachFieldInOneCallShowsItsProgressAndStops) {
    TempFolder control;
    std::filesystem::permissions(control.Write("audtool", FakeAudtool),
                                 std::filesystem::perms::owner_all);
    const std::string path = control.Root + ":" + std::getenv("PATH");
    const ScopedEnvironment searchPath("PATH", path.c_str());
    const ScopedEnvironment plan("VANTREL_TEST_PLAN", "ok");
    TempFolder cache;
    const ScopedEnvironment cacheHome("XDG_CACHE_HOME", cache.Root.c_str());
    const std::vector<std::string> asked = {"version 1", "mainwin-show 2", "version 1",
                                            "playlist-length 1", "playlist-song-filename 600"};
    struct Case {
        const char* name;
        std::size_t cancelAfter;
        const char* lineBreakAt;
        std::vector<std::string> expectedCalls;
        std::string expectedSeventh;  // the location of entry 7
    };
    std::vector<std::string> whole = asked;
    whole.insert(whole.end(), {"playlist-song-length-seconds 600", "playlist-song 600"});
    // The part that holds the break is halved down to the entry; the others are asked once.
    std::vector<std::string> halved(asked.begin(), asked.end() - 1);
    for (const int arguments : {600, 300, 150, 74, 36, 18, 8, 10, 4, 6, 2, 4, 18, 38, 76, 150, 300})
        halved.push_back("playlist-song-filename " + std::to_string(arguments));
    halved.insert(halved.end(), {"playlist-song-length-seconds 600", "playlist-song 600"});
    const std::vector<Case> cases = {
        {"whole", SIZE_MAX, "", whole, "/m/7"},
        {"a location with a line break", SIZE_MAX, "7", halved, "/m/7 /m/7"},
        {"cancelled", 1, "", asked, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(control / "calls");
        const ScopedEnvironment lineBreak("VANTREL_TEST_BREAK", c.lineBreakAt);
        WinampHostAudacious host;
        ScriptedPrompter questions;
        ScriptedWinampPathDialog dialog;
        TWinamp winamp(host, questions, dialog);
        CancellingExportProgress progress;
        progress.CancelAfter = c.cancelAfter;

        const std::string file = winamp.getWinampPlaylistFile(&progress);
        const bool finished = c.cancelAfter == SIZE_MAX;
        EXPECT_EQ(file.empty(), !finished);
        EXPECT_EQ(std::filesystem::exists(cache / "vantrel/WINAMP.m3u"), finished);
        std::string calls;
        bool missing = false;
        ReadWholeFile(control / "calls", calls, missing);
        EXPECT_EQ(Lines(calls), c.expectedCalls);
        EXPECT_TRUE(questions.Asked.empty());
        ASSERT_FALSE(progress.Reports.empty());
        EXPECT_TRUE(std::is_sorted(progress.Reports.begin(), progress.Reports.end()));
        if (finished) {
            EXPECT_EQ(progress.Reports.back(), std::make_pair(std::size_t{300}, std::size_t{300}));
            std::string written;
            ReadWholeFile(file, written, missing);
            EXPECT_EQ(Lines(written).at(2 * 7), c.expectedSeventh + "\r");
        }
    }
}

}  // namespace
