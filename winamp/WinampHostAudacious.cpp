// SPDX-License-Identifier: GPL-3.0-or-later
#include "winamp/WinampHostAudacious.h"

#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

#include "items/PlaylistFormat.h"
#include "platform/AtomicFile.h"
#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "winamp/Winamp.h"

namespace {

constexpr const char* PlayerControl = "audtool";
constexpr const char* CacheSubfolder = "vantrel";
constexpr const char* LineEnd = "\r\n";

constexpr std::chrono::milliseconds StartPollInterval{100};

// audtool takes many commands in one call; a playlist is sent and asked for in parts this large,
// so the argument list stays short while the calls stay few.
constexpr std::size_t EntriesPerCall = 256;

// Stands for the player's window: there is only one player on the session bus.
constexpr WinampWindowHandle PlayerWindow = 1;

// A version word that reads as a player able to write its playlist, and one that reads as too
// old (the hexadecimal digits are the version).
constexpr std::intptr_t WritingPlayerVersion = 0x5666;
constexpr std::intptr_t OldPlayerVersion = 0x1000;
constexpr int FirstWritingAudacious = 3;

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.remove_suffix(1);
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Line breaks inside a value would break the playlist's lines apart.
std::string OneLine(std::string text) {
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    for (char& c : text) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) {
            lines.push_back(text.substr(begin));
            break;
        }
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return lines;
}

bool ProcessAlive(int pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

}  // namespace

WinampHostAudacious::WinampHostAudacious(std::vector<std::string> startArguments,
                                         AudaciousWaits waits)
    : StartArguments(std::move(startArguments)), Waits(waits) {}

std::optional<std::string> WinampHostAudacious::ReadRegistryString(const std::string&,
                                                                   const std::string&) {
    // The program on PATH takes the place of the registered uninstaller: its folder is the one
    // the player's program is looked for in.
    std::string program = FindProgramOnPath(std::string(WinampProgramFile));
    if (program.empty())
        return std::nullopt;
    return program;
}

bool WinampHostAudacious::FileExists(const std::string& path) {
    return ::FileExists(path);
}

std::optional<WinampWindowHandle> WinampHostAudacious::FindTopLevelWindow(const std::string&) {
    if (!PlayerThere())
        return std::nullopt;
    return PlayerWindow;
}

void WinampHostAudacious::RestoreAndBringToFront(WinampWindowHandle) {
    Ask({"mainwin-show", "on"});
}

bool WinampHostAudacious::StartAndWaitForInputIdle(const std::string& program) {
    const std::optional<int> pid = StartDetachedProcess(program, StartArguments);
    if (!pid)
        return false;
    Started = pid;
    const auto deadline = std::chrono::steady_clock::now() + Waits.Start;
    while (std::chrono::steady_clock::now() < deadline) {
        // A player still starting up may keep a call waiting and answer the next.
        Hanging = false;
        if (Ask({"version"}, Waits.Probe))
            return true;
        // A player that has ended will never answer.
        if (!ProcessAlive(*pid))
            return false;
        std::this_thread::sleep_for(StartPollInterval);
    }
    return false;
}

std::optional<std::intptr_t> WinampHostAudacious::SendWindowMessage(WinampWindowHandle,
                                                                    std::uint32_t message,
                                                                    std::uintptr_t,
                                                                    std::intptr_t lParam) {
    if (message != WinampUserMessage)
        return 0;
    switch (lParam) {
        case WinampCommandGetVersion:
            return VersionWord();
        case WinampCommandWritePlaylist:
            return WritePlaylistFile() ? std::optional<std::intptr_t>(0) : std::nullopt;
        case WinampCommandClearPlaylist:
            return Tell({"playlist-clear"}) ? std::optional<std::intptr_t>(0) : std::nullopt;
        default:
            return 0;
    }
}

bool WinampHostAudacious::SendCopyData(WinampWindowHandle window, std::uintptr_t kind,
                                       const std::string& bytes) {
    // The record's text ends at its NUL.
    return kind == WinampCopyDataAppendFile &&
           AppendFiles(window, {bytes.substr(0, bytes.find('\0'))}) == 1;
}

std::size_t WinampHostAudacious::AppendFiles(WinampWindowHandle,
                                             const std::vector<std::string>& paths) {
    // audtool takes a location as a file path or a URI.
    std::size_t taken = 0;
    while (taken < paths.size()) {
        const std::size_t count = std::min(EntriesPerCall, paths.size() - taken);
        std::vector<std::string> commands;
        commands.reserve(2 * count + 1);
        for (std::size_t i = taken; i < taken + count; ++i)
            commands.insert(commands.end(), {"playlist-addurl", paths[i]});
        if (!Tell(std::move(commands)))
            break;
        taken += count;
    }
    return taken;
}

bool WinampHostAudacious::InstallationMissing() {
    return FindProgramOnPath(PlayerControl).empty();
}

std::string WinampHostAudacious::PlaylistFolder(const std::string&) {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    std::string folder;
    if (cache != nullptr && cache[0] == '/') {
        folder = cache;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::string(home != nullptr ? home : "") + "/.cache";
    }
    return WithTrailingDelimiter(WithTrailingDelimiter(folder) + CacheSubfolder);
}

std::optional<std::string> WinampHostAudacious::Ask(const std::vector<std::string>& commands,
                                                    std::chrono::milliseconds time) {
    if (Hanging)
        return std::nullopt;
    ProcessOutput answer = RunProcess(PlayerControl, commands, time);
    Hanging = answer.TimedOut;
    if (!answer.Finished || answer.ExitStatus != 0)
        return std::nullopt;
    return std::move(answer.Output);
}

std::optional<std::string> WinampHostAudacious::Ask(const std::vector<std::string>& commands) {
    return Ask(commands, Waits.Answer);
}

bool WinampHostAudacious::Tell(std::vector<std::string> commands) {
    commands.emplace_back("version");
    return Ask(commands).has_value();
}

bool WinampHostAudacious::PlayerThere() {
    // Looked for anew, a player that hung before may answer now. One that hangs keeps the call
    // waiting, while without a player audtool fails at once.
    Hanging = false;
    return Ask({"version"}, Waits.Probe).has_value() || Hanging;
}

std::optional<std::intptr_t> WinampHostAudacious::VersionWord() {
    // audtool answers "Audacious 4.2".
    const auto answer = Ask({"version"});
    if (!answer)
        return std::nullopt;
    const std::string text = OneLine(*answer);
    const auto space = text.rfind(' ');
    const std::string version = space == std::string::npos ? text : text.substr(space + 1);
    const auto major = ParseNumber<int>(version.substr(0, version.find('.')));
    return major && *major >= FirstWritingAudacious ? WritingPlayerVersion : OldPlayerVersion;
}

std::optional<std::vector<std::string>> WinampHostAudacious::PlaylistField(
    const std::string& command, std::size_t count) {
    std::vector<std::string> values;
    values.reserve(count);
    for (std::size_t first = 1; first <= count; first += EntriesPerCall) {
        const std::size_t last = std::min(count, first + EntriesPerCall - 1);
        std::vector<std::string> commands;
        for (std::size_t entry = first; entry <= last; ++entry) {
            commands.push_back(command);
            commands.push_back(std::to_string(entry));
        }
        const auto answer = Ask(commands);
        if (!answer)
            return std::nullopt;
        std::vector<std::string> lines = SplitLines(*answer);
        if (lines.size() != last - first + 1) {
            // A value holding a line break: ask for each entry on its own.
            lines.clear();
            for (std::size_t entry = first; entry <= last; ++entry) {
                const auto value = Ask({command, std::to_string(entry)});
                if (!value)
                    return std::nullopt;
                lines.push_back(OneLine(*value));
            }
        }
        for (std::string& line : lines)
            values.push_back(OneLine(std::move(line)));
    }
    return values;
}

bool WinampHostAudacious::WritePlaylistFile() {
    const std::string folder = PlaylistFolder(std::string());
    const std::string file = folder + std::string(WinampPlaylistFileName);
    // A playlist written earlier must not pass for the current one when this export fails.
    std::error_code error;
    std::filesystem::remove(file, error);
    const auto length = Ask({"playlist-length"});
    const auto count = length ? ParseNumber<std::size_t>(*length) : std::nullopt;
    if (!count)
        return false;
    // The first field the player does not give ends the export: nothing is written then.
    const auto locations = PlaylistField("playlist-song-filename", *count);
    const auto seconds =
        locations ? PlaylistField("playlist-song-length-seconds", *count) : std::nullopt;
    const auto titles = seconds ? PlaylistField("playlist-song", *count) : std::nullopt;
    if (!titles)
        return false;
    std::string text = std::string(PlaylistHeader) + LineEnd;
    for (std::size_t entry = 0; entry < *count; ++entry) {
        const auto playingTime = ParseNumber<long long>((*seconds)[entry]);
        text += std::string(InformationPrefix) + std::to_string(playingTime.value_or(0)) + "," +
                (*titles)[entry] + LineEnd + (*locations)[entry] + LineEnd;
    }
    std::filesystem::create_directories(folder, error);
    std::string reason;
    return ReplaceFileAtomically(file, text, reason);
}

std::unique_ptr<WinampHost> CreatePlatformWinampHost() {
    return std::make_unique<WinampHostAudacious>();
}
