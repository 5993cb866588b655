// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/PlaylistReader.h"

#include <gtest/gtest.h>

namespace {

// An information line not pairing with the next line, a title or time read wrong, or a track's
// details read for a files collection.
TEST(PlaylistReader, PairsInformationLinesWithTheNextLine) {
    struct Case {
        std::vector<std::string> Lines;
        CollectionKind Kind;
        std::vector<PlaylistEntry> Entries;
    };
    const Case cases[] = {
        {{"#EXTINF:120,Artist - Title", "song.mp3", "plain.mp3"},
         MusicTracks,
         {{"song.mp3", "Artist - Title", 120}, {"plain.mp3", "", 0}}},
        {{"#EXTINF:120,Artist - Title", "song.mp3"}, FilesAndFolders, {{"song.mp3", "", 0}}},
        {{"#EXTINF: 7,a,b", "#not a location"}, MusicTracks, {{"#not a location", "a,b", 7}}},
        {{"#EXTINF:x,T", "t.mp3", "#EXTINF:9"},
         MusicTracks,
         {{"t.mp3", "T", 0}, {"", "#EXTINF:9", 9}}},
        {{"#EXTINF:99999999999,T", "t.mp3"}, MusicTracks, {{"t.mp3", "T", 0}}},
    };
    for (const Case& c : cases) {
        const std::vector<PlaylistEntry> entries = ReadPlaylistEntries(c.Lines, c.Kind);
        ASSERT_EQ(entries.size(), c.Entries.size()) << c.Lines.front();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].Location, c.Entries[i].Location) << c.Lines.front();
            EXPECT_EQ(entries[i].Title, c.Entries[i].Title) << c.Lines.front();
            EXPECT_EQ(entries[i].Seconds, c.Entries[i].Seconds) << c.Lines.front();
        }
    }
}

}  // namespace
