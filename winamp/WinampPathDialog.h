// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

// The dialog that asks for the player's folder when it is not registered or holds no player.
// The window provides it, so the player logic needs no user-interface library.
class WinampPathDialog {
public:
    virtual ~WinampPathDialog() = default;

    // Shows the dialog with its folder field preset. The folder the user confirmed (the dialog
    // has checked that the player's program is there) on OK, nothing when the dialog ends
    // otherwise.
    virtual std::optional<std::string> Execute(const std::string& folder) = 0;
};
