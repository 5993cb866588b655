// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// What a collection holds: the values the settings store and the items of the type list.
enum CollectionKind : std::uint8_t {
    FilesAndFolders = 0,  // sizes in bytes
    MusicTracks = 1,      // playing times in hundredths of a second
};
