// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "winamp/PlayerExchangeProgress.h"
#include "winamp/Winamp.h"

// A player host that records every call as a line of text and plays a scripted system: a
// registry value, the files that exist, a running player's window (and the one a start brings
// up), whether a start succeeds, the version word the player reports, whether it answers and how
// many files it takes, and what is missing for driving it. A playlist write the progress has
// been asked to stop fails.
class RecordingWinampHost : public WinampHost {
public:
    std::optional<std::string> ReadRegistryString(const std::string& key,
                                                  const std::string& valueName) override {
        Calls.push_back("registry " + key + " " + valueName);
        return Registered;
    }
    bool FileExists(const std::string& path) override {
        Calls.push_back("exists " + path);
        return ExistingFiles.count(path) != 0;
    }
    std::optional<WinampWindowHandle> FindTopLevelWindow(const std::string& windowClass) override {
        Calls.push_back("find " + windowClass);
        return Running;
    }
    void RestoreAndBringToFront(WinampWindowHandle window) override {
        Calls.push_back("front " + std::to_string(window));
    }
    bool StartAndWaitForInputIdle(const std::string& program) override {
        Calls.push_back("start " + program);
        if (StartSucceeds)
            Running = WindowAfterStart;
        return StartSucceeds;
    }
    std::optional<std::intptr_t> SendWindowMessage(WinampWindowHandle window, std::uint32_t message,
                                                   std::uintptr_t wParam,
                                                   std::intptr_t lParam) override {
        Calls.push_back("message " + std::to_string(window) + " " + std::to_string(message) + " " +
                        std::to_string(wParam) + " " + std::to_string(lParam));
        // An export the user stopped writes nothing.
        const bool stopped = Progress != nullptr && Progress->CancelRequested();
        if (!Answering || (lParam == WinampCommandWritePlaylist && (!WritesPlaylist || stopped)))
            return std::nullopt;
        return lParam == 0 ? Version : 1;
    }
    bool SendCopyData(WinampWindowHandle window, std::uintptr_t kind,
                      const std::string& bytes) override {
        // The terminating NUL shows as "|".
        std::string shown = bytes;
        for (char& c : shown) {
            if (c == '\0')
                c = '|';
        }
        Calls.push_back("copydata " + std::to_string(window) + " " + std::to_string(kind) + " " +
                        std::to_string(bytes.size()) + " " + shown);
        if (!Answering || !TakesCopyData)
            return false;
        if (FilesTaken == TakesFiles)
            return false;
        ++FilesTaken;
        return true;
    }
    void ReportExportTo(PlayerExchangeProgress* progress) override { Progress = progress; }
    std::string PlaylistFolder(const std::string& winampDir) override { return winampDir; }
    bool InstallationMissing() override { return Missing; }

    std::optional<std::string> Registered;
    std::set<std::string> ExistingFiles;
    std::optional<WinampWindowHandle> Running;
    std::optional<WinampWindowHandle> WindowAfterStart;
    bool StartSucceeds = true;
    std::intptr_t Version = 0x2091;
    bool Answering = true;              // false: the player hangs and answers no message
    bool TakesCopyData = true;          // false: the player cannot be given the file's path
    bool WritesPlaylist = true;         // false: the player fails to write its playlist
    std::size_t TakesFiles = SIZE_MAX;  // the player takes this many files, then no more
    std::size_t FilesTaken = 0;
    bool Missing = false;
    PlayerExchangeProgress* Progress = nullptr;  // where a write of the playlist reports

    std::vector<std::string> Calls;
};
