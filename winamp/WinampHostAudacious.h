// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
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
//   extended M3U file in the user's cache folder, asking for each field of all entries in as
//   few calls as the command line holds and telling the progress as the answers come;
// - clearing and the copy-data record clear the current playlist and append one file to it; a
//   medium goes in one call as a private playlist file the player reads, and only where that
//   fails (or a path cannot stand on a playlist's line) many files to a call.
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
    std::size_t AppendFiles(WinampWindowHandle window, const std::vector<std::string>& paths,
                            const std::string& playlist) override;
    void ReportExportTo(PlayerExchangeProgress* progress) override { Progress = progress; }
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
    // audtool's output for the commands, the answers told to the reader as they come; the time
    // holds for each wait for an answer. Nothing when it failed, did not answer in time, or the
    // reader stopped it.
    std::optional<std::string> AskReading(const std::vector<std::string>& commands,
                                          const std::function<bool(std::string_view)>& reader);
    // The commands, then one that fails when no player took them: audtool's commands that only
    // tell the player something end well even without a player.
    bool Tell(std::vector<std::string> commands);
    // Whether a player is on the bus, asked within the probe time.
    bool PlayerThere();
    std::optional<std::intptr_t> VersionWord();
    bool WritePlaylistFile();
    // One field of the entries 1…count of the current playlist, one line per entry; nothing when
    // the player did not give it or the user stopped it. It is the field number given (from 0)
    // of the fields asked for, which the progress shows as one run.
    std::optional<std::vector<std::string>> PlaylistField(const std::string& command,
                                                          std::size_t count, std::size_t field);
    // Appends the field of the entries first…last to values, asked in one call, telling arrived
    // how many of them have been answered. A part whose answer has more lines than entries (a
    // value holding a line break) is asked again in halves. False when the player did not give
    // it or the user stopped it.
    bool AskEntries(const std::string& command, std::size_t first, std::size_t last,
                    const std::function<void(std::size_t)>& arrived,
                    std::vector<std::string>& values);
    // Whether the user has asked the export to stop.
    bool ExportStopped();
    // Appends the playlist text of count files as a playlist file the player reads at once;
    // how many entries the player then holds, or nothing when it did not take the file.
    std::optional<std::size_t> AppendPlaylistFile(const std::string& playlist, std::size_t count);
    std::size_t AppendInParts(const std::vector<std::string>& paths);

    std::vector<std::string> StartArguments;
    AudaciousWaits Waits;
    std::optional<int> Started;
    bool Hanging = false;
    PlayerExchangeProgress* Progress = nullptr;
};
