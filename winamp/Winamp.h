// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "winamp/WinampHost.h"

class PlayerExchangeProgress;
class Prompter;
class WinampPathDialog;

// The player's program file in its folder. The Linux build drives Audacious in the player's
// place, so its program stands where winamp.exe stands on Windows.
#ifdef _WIN32
inline constexpr std::string_view WinampProgramFile = "winamp.exe";
#else
inline constexpr std::string_view WinampProgramFile = "audacious";
#endif

// The name of this platform's player, as the texts show it in the place of "Winamp".
#ifdef _WIN32
inline constexpr std::string_view PlayerName = "Winamp";
#else
inline constexpr std::string_view PlayerName = "Audacious";
#endif

// The text with every "Winamp" in it naming this platform's player instead.
std::string WithPlayerName(std::string_view text);

// The playlist file the player writes on request, in its playlist folder.
inline constexpr std::string_view WinampPlaylistFileName = "WINAMP.m3u";

// Where the player registers its uninstaller, whose folder is the player's folder.
inline constexpr std::string_view WinampRegistryKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp";
inline constexpr std::string_view WinampRegistryValue = "UninstallString";
inline constexpr std::string_view WinampWindowClass = "Winamp v1.x";

// The player's window messages: the user message with its commands in lParam, and the copy-data
// message whose record appends one file to the playlist.
inline constexpr std::uint32_t WinampUserMessage = 1024;
inline constexpr std::intptr_t WinampCommandGetVersion = 0;
inline constexpr std::intptr_t WinampCommandWritePlaylist = 120;
inline constexpr std::intptr_t WinampCommandClearPlaylist = 101;
inline constexpr std::uint32_t WinampCopyDataMessage = 74;
inline constexpr std::uintptr_t WinampCopyDataAppendFile = 100;

// The version word reads as the version in hexadecimal digits (0x1666 is 1.666).
enum class WinampVersionSupport { Supported, TooOld, Winamp3 };
WinampVersionSupport CheckWinampVersion(std::intptr_t versionWord);

// Finds the media player, starts it when it is not running, asks it for its current playlist and
// hands it files for its playlist. Everything runs on the user-interface thread and waits for
// the player. The object lives as long as the window: the folder found stays known for the run.
class TWinamp {
public:
    TWinamp(WinampHost& host, Prompter& prompter, WinampPathDialog& pathDialog);

    // The player's window, after finding the player's folder (asking the user when it is not
    // known) and starting the player when it is not running; nothing when the user cancels or
    // the player cannot be started or found.
    std::optional<WinampWindowHandle> findWinamp();

    // Makes the player write its current playlist and returns that file's full path; empty when
    // there is no player, its version cannot write it, or the user stopped the writing, which
    // the progress (when given) follows.
    std::string getWinampPlaylistFile(PlayerExchangeProgress* progress = nullptr);

    // Makes the files the player's playlist, in their order: locates the player, empties its
    // playlist and appends them; playlist holds the same files as an extended M3U text, for a
    // player that takes them all at once that way. A player that does not answer, or stops
    // taking the files, ends it with a message that names how many arrived. True when all of
    // them arrived.
    bool addFilesToWinamp(const std::vector<std::string>& paths, const std::string& playlist);

    // The folder that holds the player's program, ending with the delimiter; empty while none
    // has been found.
    std::string WinampDir;
    // The window the last located player had.
    std::optional<WinampWindowHandle> WinampWindow;

private:
    bool LocateWinampDir();

    WinampHost& Host;
    Prompter& Questions;
    WinampPathDialog& PathDialog;
};
