// SPDX-License-Identifier: GPL-3.0-or-later
#include "winamp/WinampHostAudacious.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

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
#include "platform/FileDescriptor.h"
#include "platform/FileSystem.h"
#include "winamp/PlayerExchangeProgress.h"
#include "winamp/Winamp.h"

namespace {

constexpr const char* PlayerControl = "audtool";
constexpr const char* CacheSubfolder = "vantrel";
constexpr const char* LineEnd = "\r\n";

constexpr std::chrono::milliseconds StartPollInterval{100};
// How often the player's playlist is counted while it reads a playlist file.
constexpr std::chrono::milliseconds CountPollInterval{20};

// audtool takes many commands in one call; a playlist is sent, where it cannot go as a playlist
// file, in parts this large, so the argument list stays short while the calls stay few.
constexpr std::size_t EntriesPerCall = 256;
// The share of the system's limit on a program's arguments and environment that one question
// for the playlist's entries takes at most: the rest is left to the environment.
constexpr long ArgumentShare = 4;
// The fields asked for each entry of the playlist: its location, its length and its title.
constexpr std::size_t ExportFields = 3;

// Where a medium is handed to the player as a playlist file.
constexpr const char* PlaylistFolderPattern = "vantrel-medium-XXXXXX";
constexpr const char* PlaylistFileName = "medium.m3u";

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

// Whether the player reads the path back from a line of a playlist file as exactly that file: a
// full path with no line break in it. Any other byte, UTF-8 or not, stands as it is.
bool StandsOnPlaylistLine(const std::string& path) {
    return !path.empty() && path.front() == '/' && path.find_first_of("\r\n") == std::string::npos;
}

// The bytes of the arguments the system takes for one program at most, besides its environment.
std::size_t ArgumentBytes() {
    const long limit = ::sysconf(_SC_ARG_MAX);
    return static_cast<std::size_t>(limit > 0 ? limit / ArgumentShare : 32768);
}

// A playlist file only this user may read (0600), in a folder of its own (0700) under the
// temporary folder; both are gone with the object.
class PrivatePlaylistFile {
public:
    explicit PrivatePlaylistFile(const std::string& text) {
        std::error_code error;
        std::string folder =
            (std::filesystem::temp_directory_path(error) / PlaylistFolderPattern).string();
        if (error || ::mkdtemp(folder.data()) == nullptr)
            return;
        Folder = folder;
        const std::string path = Folder + "/" + PlaylistFileName;
        FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (file.IsOpen() && WriteAll(file.Get(), text.data(), text.size()) && file.Close() == 0)
            Path = path;
    }
    ~PrivatePlaylistFile() {
        std::error_code error;
        if (!Folder.empty())
            std::filesystem::remove_all(Folder, error);
    }
    PrivatePlaylistFile(const PrivatePlaylistFile&) = delete;
    PrivatePlaylistFile& operator=(const PrivatePlaylistFile&) = delete;

    std::string Path;  // empty when the file could not be written whole

private:
    std::string Folder;
};

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
           AppendFiles(window, {bytes.substr(0, bytes.find('\0'))}, std::string()) == 1;
}

std::size_t WinampHostAudacious::AppendFiles(WinampWindowHandle,
                                             const std::vector<std::string>& paths,
                                             const std::string& playlist) {
    if (playlist.empty() || !std::all_of(paths.begin(), paths.end(), StandsOnPlaylistLine))
        return AppendInParts(paths);
    const std::optional<std::size_t> held = AppendPlaylistFile(playlist, paths.size());
    if (held == paths.size())
        return paths.size();
    // A player that did not read the file as it was meant (one without its playlist reader, say)
    // is given the files many to a call after all, in a playlist emptied again; one that hangs
    // is asked nothing more.
    const bool empty = held == std::size_t{0};
    if (!empty && !Tell({"playlist-clear"}))
        return 0;
    return AppendInParts(paths);
}

std::optional<std::size_t> WinampHostAudacious::AppendPlaylistFile(const std::string& playlist,
                                                                   std::size_t count) {
    const PrivatePlaylistFile file(playlist);
    if (file.Path.empty())
        return std::nullopt;
    // The player reads the file in the background: it is counted until it holds every entry or
    // the answer time is up, and only then is the file removed.
    auto answer = Ask({"playlist-addurl", file.Path, "playlist-length"});
    if (!answer)
        return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + Waits.Answer;
    std::size_t held = ParseNumber<std::size_t>(*answer).value_or(0);
    while (held < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(CountPollInterval);
        answer = Ask({"playlist-length"});
        if (!answer)
            return std::nullopt;
        held = ParseNumber<std::size_t>(*answer).value_or(0);
    }
    return held;
}

std::size_t WinampHostAudacious::AppendInParts(const std::vector<std::string>& paths) {
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

std::optional<std::string> WinampHostAudacious::AskReading(
    const std::vector<std::string>& commands, const std::function<bool(std::string_view)>& reader) {
    if (Hanging)
        return std::nullopt;
    ProcessOutput answer = RunProcessReading(PlayerControl, commands, Waits.Answer, reader);
    Hanging = answer.TimedOut;
    if (!answer.Finished || answer.ExitStatus != 0)
        return std::nullopt;
    return std::move(answer.Output);
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

bool WinampHostAudacious::ExportStopped() {
    return Progress != nullptr && Progress->CancelRequested();
}

std::optional<std::vector<std::string>> WinampHostAudacious::PlaylistField(
    const std::string& command, std::size_t count, std::size_t field) {
    std::vector<std::string> values;
    values.reserve(count);
    // The count never goes back, not even while a part is asked again.
    std::size_t reported = 0;
    const auto arrived = [&](std::size_t inPart) {
        if (Progress == nullptr)
            return;
        reported = std::max(reported, (field * count + values.size() + inPart) / ExportFields);
        Progress->Received(reported, count);
    };
    const std::size_t argumentBytes = ArgumentBytes();
    for (std::size_t first = 1; first <= count;) {
        // As many entries to a call as the command line holds.
        std::size_t last = first;
        for (std::size_t bytes = 0; last < count && bytes < argumentBytes; ++last)
            bytes += command.size() + std::to_string(last).size() + 2 + 2 * sizeof(char*);
        if (!AskEntries(command, first, last, arrived, values))
            return std::nullopt;
        first = last + 1;
    }
    return values;
}

bool WinampHostAudacious::AskEntries(const std::string& command, std::size_t first,
                                     std::size_t last,
                                     const std::function<void(std::size_t)>& arrived,
                                     std::vector<std::string>& values) {
    std::vector<std::string> commands;
    for (std::size_t entry = first; entry <= last; ++entry)
        commands.insert(commands.end(), {command, std::to_string(entry)});
    const std::size_t entries = last - first + 1;
    std::size_t answered = 0;
    const auto answer = AskReading(commands, [&](std::string_view piece) {
        answered += static_cast<std::size_t>(std::count(piece.begin(), piece.end(), '\n'));
        arrived(std::min(answered, entries));
        return !ExportStopped();
    });
    if (!answer)
        return false;
    std::vector<std::string> lines = SplitLines(*answer);
    if (lines.size() == entries) {
        for (std::string& line : lines)
            values.push_back(OneLine(std::move(line)));
        return true;
    }
    // A value holding a line break: the part is asked again in halves, down to the entry.
    if (entries == 1) {
        values.push_back(OneLine(*answer));
        return true;
    }
    const std::size_t middle = first + entries / 2;
    return AskEntries(command, first, middle - 1, arrived, values) &&
           AskEntries(command, middle, last, arrived, values);
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
    const auto locations = PlaylistField("playlist-song-filename", *count, 0);
    const auto seconds =
        locations ? PlaylistField("playlist-song-length-seconds", *count, 1) : std::nullopt;
    const auto titles = seconds ? PlaylistField("playlist-song", *count, 2) : std::nullopt;
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
