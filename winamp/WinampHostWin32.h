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
    bool StartAndWaitForInputIdle(const std::string& program) override;
    std::intptr_t SendWindowMessage(WinampWindowHandle window, std::uint32_t message,
                                    std::uintptr_t wParam, std::intptr_t lParam) override;
    // The player reads the record's text in the system's ANSI code page.
    void SendCopyData(WinampWindowHandle window, std::uintptr_t kind,
                      const std::string& bytes) override;
    // The player writes its playlist into its own folder.
    std::string PlaylistFolder(const std::string& winampDir) override;
};
