// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "winamp/WinampHost.h"

// The player exchange through the system's own calls: the registry, window search, process start
// and window messages. Texts are UTF-8 here and wide or in the system's ANSI code page at the
// system's calls.
class WinampHostWin32 : public WinampHost {
public:
    std::optional<std::string> ReadRegistryString(const std::string& key,
                                                  const std::string& valueName) override;
    bool FileExists(const std::string& path) override;
    std::optional<WinampWindowHandle> FindTopLevelWindow(const std::string& windowClass) override;
    void RestoreAndBringToFront(WinampWindowHandle window) override;
    // Waits, a while at most, until the player's window is up.
    bool StartAndWaitForInputIdle(const std::string& program) override;
    // Every message waits for the player a few seconds at most. Writing the playlist also copies
    // the file the player wrote, from where its version writes it and in its encoding, as UTF-8
    // after a byte-order mark into PlaylistFolder.
    std::optional<std::intptr_t> SendWindowMessage(WinampWindowHandle window, std::uint32_t message,
                                                   std::uintptr_t wParam,
                                                   std::intptr_t lParam) override;
    // A player that takes wide texts gets the file as one; an older one gets it in the system's
    // ANSI code page, and a path with no exact form there is not sent.
    bool SendCopyData(WinampWindowHandle window, std::uintptr_t kind,
                      const std::string& bytes) override;
    // The user's local application data folder (else the temporary folder), subfolder "vantrel".
    std::string PlaylistFolder(const std::string& winampDir) override;
};
