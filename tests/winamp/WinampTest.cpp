// SPDX-License-Identifier: GPL-3.0-or-later
#include "winamp/Winamp.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "collection/Tdatamanager.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/RecordingWinampHost.h"
#include "tests/doubles/ScriptedPrompter.h"
#include "tests/doubles/ScriptedWinampPathDialog.h"

namespace {

const std::string Program(WinampProgramFile);
const std::string Registry =
    "registry SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp UninstallString";
const std::string Find = "find Winamp v1.x";
const std::string AskVersion = "message 7 1024 0 0";
const std::string WritePlaylist = "message 7 1024 0 120";
const std::string ClearPlaylist = "message 7 1024 0 101";

// A notice about the player: its kind, the player it names, and for an interrupted send the
// tracks taken of all.
struct Notice {
    QuestionKind Kind;
    std::uint64_t Taken = 0;
    std::uint64_t Count = 0;
};

void ExpectNotice(const Question& asked, const Notice& expected) {
    EXPECT_EQ(asked.Kind, expected.Kind);
    EXPECT_EQ(asked.Other, std::string(PlayerName));
    EXPECT_EQ(asked.Number, expected.Taken);
    EXPECT_EQ(asked.Count, expected.Count);
}

class WinampTest : public ::testing::Test {
protected:
    ~WinampTest() override { EXPECT_TRUE(Questions.ScriptUsed()); }

    RecordingWinampHost Host;
    ScriptedPrompter Questions;
    ScriptedWinampPathDialog Dialog;
    TWinamp Winamp{Host, Questions, Dialog};
};

TEST_F(WinampTest, FindsTheFolderFromTheRegistryOrAsksForIt) {
    struct Case {
        const char* name;
        std::optional<std::string> registered;
        std::string existing;  // the player's program, when it is anywhere
        std::optional<std::string> dialogAnswer;
        std::vector<std::string> expectedPresets;
        std::string expectedDir;
        bool expectedFound;
    };
    const std::vector<Case> cases = {
        {"quoted uninstall string",
         "\"/opt/Winamp/UninstWA.exe\"",
         "/opt/Winamp/" + Program,
         std::nullopt,
         {},
         "/opt/Winamp/",
         true},
        {"plain uninstall string",
         "/opt/Winamp/UninstWA.exe",
         "/opt/Winamp/" + Program,
         std::nullopt,
         {},
         "/opt/Winamp/",
         true},
        {"no entry, program in the current folder",
         std::nullopt,
         Program,
         std::nullopt,
         {},
         "",
         true},
        {"no program in the registered folder",
         "/opt/Winamp/UninstWA.exe",
         "/usr/winamp/" + Program,
         "/usr/winamp/",
         {"/opt/Winamp/"},
         "/usr/winamp/",
         true},
        {"dialog cancelled while the player runs", std::nullopt, "", std::nullopt, {""}, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingWinampHost host;
        host.Registered = c.registered;
        host.ExistingFiles = {c.existing};
        host.Running = 7;
        ScriptedWinampPathDialog dialog;
        dialog.Answer = c.dialogAnswer;
        TWinamp winamp(host, Questions, dialog);

        EXPECT_EQ(winamp.findWinamp().has_value(), c.expectedFound);
        EXPECT_EQ(winamp.WinampDir, c.expectedDir);
        EXPECT_EQ(dialog.Presets, c.expectedPresets);
        EXPECT_EQ(host.Calls.front(), Registry);
        // Without a folder the running player is not even looked for.
        EXPECT_EQ(host.Calls.back(), c.expectedFound ? "front 7" : "exists " + Program);
    }
}

TEST_F(WinampTest, AFoundFolderIsKeptAndACancelledOneAskedForAgain) {
    Dialog.Answer = std::nullopt;
    EXPECT_FALSE(Winamp.findWinamp());
    EXPECT_FALSE(Winamp.findWinamp());
    EXPECT_EQ(Dialog.Presets.size(), 2U);

    Dialog.Answer = "/opt/Winamp/";
    Host.Running = 7;
    EXPECT_EQ(Winamp.findWinamp(), 7U);
    Host.Calls.clear();
    EXPECT_EQ(Winamp.findWinamp(), 7U);
    EXPECT_EQ(Winamp.WinampDir, "/opt/Winamp/");
    EXPECT_EQ(Host.Calls, (std::vector<std::string>{Find, "front 7"}));
    EXPECT_EQ(Dialog.Presets.size(), 3U);
}

TEST_F(WinampTest, UsesARunningPlayerOrStartsOne) {
    struct Case {
        const char* name;
        std::optional<WinampWindowHandle> running;
        bool startSucceeds;
        std::optional<WinampWindowHandle> windowAfterStart;
        std::vector<std::string> expectedCalls;  // after the folder lookup
        std::vector<Notice> expectedNotices;
        std::optional<WinampWindowHandle> expectedWindow;
    };
    const std::string start = "start /opt/Winamp/" + Program;
    const std::vector<Case> cases = {
        {"running, perhaps minimised", 7, true, std::nullopt, {Find, "front 7"}, {}, 7},
        {"started", std::nullopt, true, 9, {Find, start, Find}, {}, 9},
        {"cannot be started",
         std::nullopt,
         false,
         std::nullopt,
         {Find, start},
         {{QuestionKind::PlayerNotStarted}},
         std::nullopt},
        {"started without a window",
         std::nullopt,
         true,
         std::nullopt,
         {Find, start, Find},
         {},
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingWinampHost host;
        host.Running = c.running;
        host.StartSucceeds = c.startSucceeds;
        host.WindowAfterStart = c.windowAfterStart;
        ScriptedPrompter questions;
        for (std::size_t i = 0; i < c.expectedNotices.size(); ++i)
            questions.Reply(Answer::Ok);
        TWinamp winamp(host, questions, Dialog);
        winamp.WinampDir = "/opt/Winamp/";

        EXPECT_EQ(winamp.findWinamp(), c.expectedWindow);
        EXPECT_EQ(host.Calls, c.expectedCalls);
        ASSERT_EQ(questions.Asked.size(), c.expectedNotices.size());
        for (std::size_t i = 0; i < c.expectedNotices.size(); ++i)
            ExpectNotice(questions.Asked[i], c.expectedNotices[i]);
    }
}

TEST_F(WinampTest, ThePlaylistFileIsAskedForOnlyFromSupportedVersions) {
    const std::optional<Notice> tooOld = Notice{QuestionKind::PlayerTooOld};
    const std::optional<Notice> winamp3 = Notice{QuestionKind::PlayerThree};
    const std::nullopt_t none = std::nullopt;
    struct Case {
        std::intptr_t version;
        std::optional<Notice> expectedNotice;  // none: the playlist is written
    };
    const std::vector<Case> cases = {
        {0x1665, tooOld},  {0x1666, none},    {0x2091, none}, {0x2FFF, none},
        {0x3000, winamp3}, {0x5000, winamp3}, {0x5001, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        RecordingWinampHost host;
        host.Running = 7;
        host.Version = c.version;
        ScriptedPrompter questions;
        if (c.expectedNotice)
            questions.Reply(Answer::Ok);
        TWinamp winamp(host, questions, Dialog);
        winamp.WinampDir = "/opt/Winamp/";

        const std::string file = winamp.getWinampPlaylistFile();
        if (!c.expectedNotice) {
            EXPECT_EQ(file, "/opt/Winamp/WINAMP.m3u");
            EXPECT_EQ(host.Calls.back(), WritePlaylist);
            EXPECT_TRUE(questions.Asked.empty());
        } else {
            EXPECT_EQ(file, "");
            EXPECT_EQ(host.Calls.back(), AskVersion);
            ASSERT_EQ(questions.Asked.size(), 1U);
            ExpectNotice(questions.Asked[0], *c.expectedNotice);
        }
    }
}

TEST_F(WinampTest, NoPlayerGivesNoPlaylistFile) {
    Dialog.Answer = std::nullopt;
    Host.Running = 7;
    EXPECT_EQ(Winamp.getWinampPlaylistFile(), "");
    EXPECT_TRUE(Questions.Asked.empty());
}

// A medium is sent as one clear and one append per track, in the medium's order.
class SendMediumTest : public WinampTest {
protected:
    SendMediumTest() : Manager(Parts.Collection, Parts.Medium, Parts.Host()) {
        Manager.SetCollectionType(MusicTracks);
        Winamp.WinampDir = "/opt/Winamp/";
        for (const char* path : {"/m/b.mp3", "/m/c.mp3", "/m/a.mp3"}) {
            TDataManagerTestAccess::Append(Manager, ItemFromTrack(path, path, 100, Parts.Icons));
            Medium.push_back(std::prev(Manager.GetItems().cend()));
        }
        TDataManagerTestAccess::Media(Manager) = {TMedium{Medium.front()}, Medium};
    }

    DataManagerFixtureParts Parts;
    TDataManager Manager;
    TMedium Medium;
};

TEST_F(SendMediumTest, ClearsThePlaylistThenAppendsEveryTrackInOrder) {
    Host.Running = 7;
    Manager.SendMediumToWinamp(1, Winamp);
    EXPECT_EQ(Host.Calls, (std::vector<std::string>{
                              Find, "front 7", ClearPlaylist, "copydata 7 100 9 /m/b.mp3|",
                              "copydata 7 100 9 /m/c.mp3|", "copydata 7 100 9 /m/a.mp3|"}));
    EXPECT_EQ(Winamp.WinampWindow, 7U);
}

TEST_F(SendMediumTest, SendsNothingWithoutAPlayer) {
    Host.StartSucceeds = false;
    Questions.Reply(Answer::Ok);
    Manager.SendMediumToWinamp(1, Winamp);
    EXPECT_EQ(Host.Calls.back(), "start /opt/Winamp/" + Program);
    EXPECT_EQ(Questions.Asked.size(), 1U);
}

// A player that hangs, stops taking files or fails to write its playlist used to be waited for
// track by track and left the user without a word; a missing part used to start the player.
TEST_F(SendMediumTest, APlayerThatFailsEndsTheExchangeAtOnceWithAMessage) {
    struct Case {
        const char* name;
        bool send;  // else the playlist is asked for
        void (*setUp)(RecordingWinampHost&);
        std::vector<std::string> expectedCalls;  // after the player is found
        Notice expectedNotice;
    };
    const auto interrupted = [](std::uint64_t taken) {
        return Notice{QuestionKind::PlaylistNotSent, taken, 3};
    };
    const std::vector<Case> cases = {
        {"hangs before the send",
         true,
         [](RecordingWinampHost& host) { host.Answering = false; },
         {ClearPlaylist},
         {QuestionKind::PlayerNotAnswering}},
        {"hangs before the import",
         false,
         [](RecordingWinampHost& host) { host.Answering = false; },
         {AskVersion},
         {QuestionKind::PlayerNotAnswering}},
        {"stops after the first track",
         true,
         [](RecordingWinampHost& host) { host.TakesFiles = 1; },
         {ClearPlaylist, "copydata 7 100 9 /m/b.mp3|", "copydata 7 100 9 /m/c.mp3|"},
         interrupted(1)},
        {"takes no track",
         true,
         [](RecordingWinampHost& host) { host.TakesFiles = 0; },
         {ClearPlaylist, "copydata 7 100 9 /m/b.mp3|"},
         interrupted(0)},
        {"cannot be given a path as it is",
         true,
         [](RecordingWinampHost& host) { host.TakesCopyData = false; },
         {ClearPlaylist, "copydata 7 100 9 /m/b.mp3|"},
         interrupted(0)},
        {"fails to write its playlist",
         false,
         [](RecordingWinampHost& host) { host.WritesPlaylist = false; },
         {AskVersion, WritePlaylist},
         {QuestionKind::PlaylistNotReceived}},
        {"cannot be driven",
         true,
         [](RecordingWinampHost& host) { host.Missing = true; },
         {},
         {QuestionKind::PlayerControlMissing}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingWinampHost host;
        host.Running = 7;
        c.setUp(host);
        ScriptedPrompter questions;
        questions.Reply(Answer::Ok);
        TWinamp winamp(host, questions, Dialog);
        winamp.WinampDir = "/opt/Winamp/";

        if (c.send)
            Manager.SendMediumToWinamp(1, winamp);
        else
            EXPECT_EQ(winamp.getWinampPlaylistFile(), "");
        std::vector<std::string> expectedCalls = c.expectedCalls;
        if (!host.Missing)
            expectedCalls.insert(expectedCalls.begin(), {Find, "front 7"});
        EXPECT_EQ(host.Calls, expectedCalls);
        ASSERT_EQ(questions.Asked.size(), 1U);
        ExpectNotice(questions.Asked[0], c.expectedNotice);
    }
}

}  // namespace
