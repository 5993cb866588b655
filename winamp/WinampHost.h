// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class PlayerExchangeProgress;

// A top-level window of the player, as the system names it.
using WinampWindowHandle = std::uintptr_t;

// The few system facilities the player exchange uses. On Windows they are the system's own
// calls; on Linux a bridge maps them onto Audacious.
class WinampHost {
public:
    virtual ~WinampHost() = default;

    // A string value of a key under the local-machine root of the registry; nothing when the
    // key or the value cannot be read.
    virtual std::optional<std::string> ReadRegistryString(const std::string& key,
                                                          const std::string& valueName) = 0;

    // True when a file (not a folder) exists under the path.
    virtual bool FileExists(const std::string& path) = 0;

    // The top-level window of the given class, or nothing.
    virtual std::optional<WinampWindowHandle> FindTopLevelWindow(
        const std::string& windowClass) = 0;

    // Restores the window when it is minimised and brings it to the foreground.
    virtual void RestoreAndBringToFront(WinampWindowHandle window) = 0;

    // Starts the program as a new process without arguments and waits until it accepts input.
    // False when it cannot be started.
    virtual bool StartAndWaitForInputIdle(const std::string& program) = 0;

    // Sends a message synchronously and returns the window's answer; nothing when the player did
    // not answer in time (it hangs or has gone).
    virtual std::optional<std::intptr_t> SendWindowMessage(WinampWindowHandle window,
                                                           std::uint32_t message,
                                                           std::uintptr_t wParam,
                                                           std::intptr_t lParam) = 0;

    // Sends the copy-data message: a record of the given kind holding the bytes (a text with its
    // terminating NUL included). False when the player did not take it: it did not answer in
    // time, or the text cannot be given to it exactly as it is.
    virtual bool SendCopyData(WinampWindowHandle window, std::uintptr_t kind,
                              const std::string& bytes) = 0;

    // Appends the files to the playlist, just cleared, in their order and returns how many the
    // player took, stopping at the first it did not take. playlist holds the same files as an
    // extended M3U text (empty when there is none). By default one copy-data record each; a host
    // whose player takes many at once, or a playlist file, sends them so.
    virtual std::size_t AppendFiles(WinampWindowHandle window,
                                    const std::vector<std::string>& paths,
                                    const std::string& playlist);

    // Where the next writes of the playlist file tell how far they are, and learn that the user
    // wants them stopped; null for nowhere. By default a write is one message, told nothing.
    virtual void ReportExportTo(PlayerExchangeProgress*) {}

    // Whether the user has to install the player's control program before the player can be
    // driven here; false (the default) when nothing is missing.
    virtual bool InstallationMissing() { return false; }

    // The folder the player writes its playlist file into, given the player's folder.
    virtual std::string PlaylistFolder(const std::string& winampDir) = 0;
};

// The host of this platform.
std::unique_ptr<WinampHost> CreatePlatformWinampHost();
