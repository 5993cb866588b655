// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "winamp/WinampHost.h"

// How long the exchange with Audacious waits at most.
struct AudaciousWaits {
    // For the answer that tells a player that hangs from one that is not running.
    std::chrono::milliseconds Probe{3000};
    // For one audtool call (a part of a playlist sent or asked for).
    std::chrono::milliseconds Answer{10000};
    // For a started player to answer.
    std::chrono::milliseconds Start{15000};
};

// Audacious in the player's place, driven through its audtool command over the session bus:
// - the registered folder is the folder of the audacious program found on PATH;
// - the player's window "exists" while a player is on the bus, answering or not, and showing
//   it shows the player's main window;
// - starting runs the program detached and waits, at most the start time, until it answers;
// - the version word is that of a player that writes its playlist (0x5666) for Audacious 3
//   and later, and a too old one otherwise;
// - writing the playlist exports the current playlist (locations, titles, lengths) as an
//   extended M3U file in the user's cache folder; clearing and the copy-data record clear the
//   current playlist and append one file to it, and files are appended many to a call.
// A player that has let a call run out of time is taken as hanging: nothing more is asked of it,
// as no message reaches a hung window, until it is looked for again.
class WinampHostAudacious : public WinampHost {
public:
    // startArguments: what the program is started with (none for the desktop).
    explicit WinampHostAudacious(std::vector<std::string> startArguments = {},
                                 AudaciousWaits waits = {});

    std::optional<std::string> ReadRegistryString(const std::string& key,
                                                  const std::string& valueName) override;
    bool FileExists(const std::string& path) override;
    std::optional<WinampWindowHandle> FindTopLevelWindow(const std::string& windowClass) override;
    void RestoreAndBringToFront(WinampWindowHandle window) override;
    bool StartAndWaitForInputIdle(const std::string& program) override;
    std::optional<std::intptr_t> SendWindowMessage(WinampWindowHandle window, std::uint32_t message,
                                                   std::uintptr_t wParam,
                                                   std::intptr_t lParam) override;
    bool SendCopyData(WinampWindowHandle window, std::uintptr_t kind,
                      const std::string& bytes) override;
    std::size_t AppendFiles(WinampWindowHandle window,
                            const std::vector<std::string>& paths) override;
    // audtool is missing.
    bool InstallationMissing() override;
    // The cache folder of this program: $XDG_CACHE_HOME/vantrel/, else ~/.cache/vantrel/.
    std::string PlaylistFolder(const std::string& winampDir) override;

    // The process id of the player this host started, if it did.
    std::optional<int> StartedPlayer() const { return Started; }

private:
    // audtool's output for the commands, when it succeeded within the time.
    std::optional<std::string> Ask(const std::vector<std::string>& commands,
                                   std::chrono::milliseconds time);
    std::optional<std::string> Ask(const std::vector<std::string>& commands);
    // The commands, then one that fails when no player took them: audtool's commands that only
    // tell the player something end well even without a player.
    bool Tell(std::vector<std::string> commands);
    // Whether a player is on the bus, asked within the probe time.
    bool PlayerThere();
    std::optional<std::intptr_t> VersionWord();
    bool WritePlaylistFile();
    // One field of the entries 1…count of the current playlist, one line per entry; nothing when
    // the player did not give it.
    std::optional<std::vector<std::string>> PlaylistField(const std::string& command,
                                                          std::size_t count);

    std::vector<std::string> StartArguments;
    AudaciousWaits Waits;
    std::optional<int> Started;
    bool Hanging = false;
};
