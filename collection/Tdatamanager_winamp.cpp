// SPDX-License-Identifier: GPL-3.0-or-later
// Handing a medium to the media player as its new playlist.
#include "collection/Tdatamanager.h"

#include "winamp/Winamp.h"

void TDataManager::SendMediumToWinamp(std::size_t index, TWinamp& winamp) {
    if (index >= Media.size())
        return;
    std::vector<std::string> paths;
    paths.reserve(Media[index].size());
    for (const TConstItemPosition& item : Media[index])
        paths.push_back(item->Path);
    // The player is told of every failure on the way; nothing is left to do here.
    winamp.addFilesToWinamp(paths, MediumPlaylist(Media[index]));
}
