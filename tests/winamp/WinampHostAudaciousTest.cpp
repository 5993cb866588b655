#include "winamp/WinampHostAudacious.h"

#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "collection/Tdatamanager.h"
#include "platform/ChildProcess.h"
#include "platform/IconList.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/ScriptedPrompter.h"
#include "tests/doubles/ScriptedWinampPathDialog.h"
#include "tests/doubles/TempFolder.h"
#include "winamp/Winamp.h"

namespace {

using namespace std::chrono_literals;

// Sets an environment variable (or removes it, for null) for the scope's lifetime.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : Name(name) {
        if (const char* old = std::getenv(name))
            Old = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        if (Old)
            ::setenv(Name, Old->c_str(), 1);
        else
            ::unsetenv(Name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* Name;
    std::optional<std::string> Old;
};

std::string LittleEndian(std::uint32_t value, int bytes) {
    std::string text;
    for (int i = 0; i < bytes; ++i)
        text += static_cast<char>((value >> (8 * i)) & 0xFF);
    return text;
}

std::string Chunk(const std::string& id, std::string data) {
    if (data.size() % 2 != 0)
        data += '\0';
    return id + LittleEndian(static_cast<std::uint32_t>(data.size()), 4) + data;
}

// A valid WAV file of silence: 8 kHz, mono, 16 bits, with its artist, album and title in an
// INFO list.
std::string Wav(std::uint32_t seconds, const std::string& artist, const std::string& album,
                const std::string& title) {
    constexpr std::uint32_t rate = 8000;
    const std::string format = LittleEndian(1, 2) + LittleEndian(1, 2) + LittleEndian(rate, 4) +
                               LittleEndian(rate * 2, 4) + LittleEndian(2, 2) + LittleEndian(16, 2);
    const std::string info = "INFO" + Chunk("IART", artist + '\0') + Chunk("IPRD", album + '\0') +
                             Chunk("INAM", title + '\0');
    const std::string body = "WAVE" + Chunk("fmt ", format) +
                             Chunk("data", std::string(rate * 2 * seconds, '\0')) +
                             Chunk("LIST", info);
    return "RIFF" + LittleEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1)
        lines.push_back(text.substr(begin, end - begin));
    return lines;
}

bool Alive(int pid) {
    return ::kill(pid, 0) == 0;
}

// Waits, at most the time given, for the process to end; true when it has.
bool Ended(int pid, std::chrono::milliseconds time) {
    const auto deadline = std::chrono::steady_clock::now() + time;
    while (Alive(pid) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    return !Alive(pid);
}

// Audacious started by the host, headless, on a session bus of the test's own, with a temporary
// home folder, so nothing of the user's player or settings is touched.
class AudaciousExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* program : {"audacious", "audtool", "dbus-daemon"}) {
            if (FindProgramOnPath(program).empty())
                GTEST_SKIP() << program << " is not installed (Debian packages audacious, dbus)";
        }
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            Environment.emplace_back(std::make_unique<ScopedEnvironment>(name, Home.Root.c_str()));
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
            Environment.emplace_back(std::make_unique<ScopedEnvironment>(name, nullptr));
        const ProcessOutput bus = RunProcess(
            "dbus-daemon", {"--session", "--fork", "--print-address=1", "--print-pid=1"}, 10s);
        const std::vector<std::string> lines = Lines(bus.Output);
        ASSERT_TRUE(bus.Finished && bus.ExitStatus == 0 && lines.size() >= 2) << bus.Output;
        BusPid = std::stoi(lines[1]);
        Environment.emplace_back(
            std::make_unique<ScopedEnvironment>("DBUS_SESSION_BUS_ADDRESS", lines[0].c_str()));
    }

    void TearDown() override {
        if (const auto player = Host.StartedPlayer()) {
            RunProcess("audtool", {"shutdown"}, 5s);
            if (!Ended(*player, 5s))
                ::kill(*player, SIGKILL);
        }
        if (BusPid > 0)
            ::kill(BusPid, SIGTERM);
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

    TempFolder Home;
    TempFolder Music;
    std::vector<std::unique_ptr<ScopedEnvironment>> Environment;
    int BusPid = 0;
    WinampHostAudacious Host{{"--headless"}};
};

TEST_F(AudaciousExchangeTest, AMediumBecomesThePlayersPlaylistAndComesBackAsACollection) {
    const std::string folder = "Группа/Альбом/";
    const std::vector<std::string> files = {
        Music.Write(folder + "01 Первая.wav", Wav(2, "Группа", "Альбом", "Первая")),
        Music.Write(folder + "02 Вторая.wav", Wav(3, "Группа", "Альбом", "Вторая, с запятой")),
        Music.Write(folder + "03 Третья.wav", Wav(4, "Группа", "Альбом", "Третья")),
    };

    DataManagerFixtureParts sent;
    TDataManager sender(sent.Collection, sent.Medium, sent.Host());
    sender.SetCollectionType(MusicTracks);
    PlainIconList icons;
    TMedium medium;
    for (const std::size_t index : {2, 0, 1}) {
        TDataManagerTestAccess::Append(sender,
                                       ItemFromTrack(files[index], files[index], 100, icons));
        medium.push_back(std::prev(sender.GetItems().cend()));
    }
    TDataManagerTestAccess::Media(sender).push_back(medium);
    ScriptedPrompter questions;
    ScriptedWinampPathDialog dialog;
    TWinamp winamp(Host, questions, dialog);

    sender.SendMediumToWinamp(0, winamp);
    ASSERT_TRUE(Host.StartedPlayer());
    EXPECT_EQ(PlayerPlaylist(3), (std::vector<std::string>{files[2], files[0], files[1]}));

    const std::string playlist = winamp.getWinampPlaylistFile();
    EXPECT_EQ(playlist, Home.Root + "/vantrel/WINAMP.m3u");
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
        EXPECT_EQ(CheckWinampVersion(host.SendWindowMessage(window.value_or(0), WinampUserMessage,
                                                            0, WinampCommandGetVersion)),
                  c.expectedSupport);
    }
}

}  // namespace
