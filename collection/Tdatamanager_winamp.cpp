// SPDX-License-Identifier: GPL-3.0-or-later
// Handing a medium to the media player as its new playlist.
#include "collection/Tdatamanager.h"

#include "winamp/Winamp.h"

void TDataManager::SendMediumToWinamp(std::size_t index, TWinamp& winamp) {
    if (index >= Media.size())
        return;
    bool clearFirst = true;
    for (const TConstItemPosition& item : Media[index]) {
        // The first file empties the playlist and locates the player; without one, stop.
        if (!winamp.addFileToWinamp(item->Path, clearFirst))
            return;
        clearFirst = false;
    }
}
