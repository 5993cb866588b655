// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "winamp/WinampHost.h"

// Audacious in the player's place, driven through its audtool command over the session bus:
// - the registered folder is the folder of the audacious program found on PATH;
// - the player's window "exists" while a player answers on the bus, and showing it shows the
//   player's main window;
// - starting runs the program detached and waits, at most PlayerStartTime, until it answers;
// - the version word is that of a player that writes its playlist (0x5666) for Audacious 3
//   and later, and a too old one otherwise;
// - writing the playlist exports the current playlist (locations, titles, lengths) as an
//   extended M3U file in the user's cache folder; clearing and the copy-data record clear the
//   current playlist and append one file to it.
class WinampHostAudacious : public WinampHost {
public:
    // startArguments: what the program is started with (none for the desktop).
    explicit WinampHostAudacious(std::vector<std::string> startArguments = {});

    std::optional<std::string> ReadRegistryString(const std::string& key,
                                                  const std::string& valueName) override;
    bool FileExists(const std::string& path) override;
    std::optional<WinampWindowHandle> FindTopLevelWindow(const std::string& windowClass) override;
    void RestoreAndBringToFront(WinampWindowHandle window) override;
    bool StartAndWaitForInputIdle(const std::string& program) override;
    std::intptr_t SendWindowMessage(WinampWindowHandle window, std::uint32_t message,
                                    std::uintptr_t wParam, std::intptr_t lParam) override;
    void SendCopyData(WinampWindowHandle window, std::uintptr_t kind,
                      const std::string& bytes) override;
    // The cache folder of this program: $XDG_CACHE_HOME/vantrel/, else ~/.cache/vantrel/.
    std::string PlaylistFolder(const std::string& winampDir) override;

    // The process id of the player this host started, if it did.
    std::optional<int> StartedPlayer() const { return Started; }

private:
    // audtool's output for the commands, when it succeeded.
    std::optional<std::string> Ask(const std::vector<std::string>& commands);
    std::intptr_t VersionWord();
    void WritePlaylistFile();
    // One field of the entries 1…count of the current playlist, one line per entry.
    std::vector<std::string> PlaylistField(const std::string& command, std::size_t count);

    std::vector<std::string> StartArguments;
    std::optional<int> Started;
};
