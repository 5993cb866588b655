// SPDX-License-Identifier: GPL-3.0-or-later
// A medium of 5 000 tracks sent to a real Audacious as its playlist, and that playlist imported
// back as a collection, on a session bus of its own (skipped where Audacious or D-Bus is missing).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/DataManagerBenchHost.h"
#include "collection/Tdatamanager.h"
#include "tests/doubles/PrivateAudacious.h"
#include "tests/doubles/ScriptedWinampPathDialog.h"
#include "winamp/Winamp.h"

namespace {

constexpr std::size_t TrackCount = 5000;

// The player, started once before anything is measured, and the tracks it is sent: one short
// WAV file under 5 000 names.
struct Exchange {
    Exchange() {
        if (!Session.Problem.empty())
            return;
        const std::string folder = Session.Home + "/music";
        std::filesystem::create_directories(folder);
        const std::string first = folder + "/track 0.wav";
        std::ofstream(first, std::ios::binary) << Wav(1, "Artist", "Album", "Title");
        Tracks.push_back(first);
        for (std::size_t i = 1; i < TrackCount; ++i) {
            Tracks.push_back(folder + "/track " + std::to_string(i) + ".wav");
            std::filesystem::create_hard_link(first, Tracks.back());
        }
        Started = Winamp.findWinamp().has_value();
    }

    PrivateAudaciousSession Session;
    CancellingPrompter Questions;
    ScriptedWinampPathDialog Dialog;
    TWinamp Winamp{Session.Host, Questions, Dialog};
    std::vector<std::string> Tracks;
    bool Started = false;
};

Exchange& Player() {
    static Exchange exchange;
    return exchange;
}

bool Ready(benchmark::State& state) {
    if (!Player().Session.Problem.empty())
        state.SkipWithError(Player().Session.Problem.c_str());
    else if (!Player().Started)
        state.SkipWithError("Audacious did not start");
    return Player().Started;
}

void BM_SendMedium(benchmark::State& state) {
    if (!Ready(state))
        return;
    for (auto _ : state) {
        if (!Player().Winamp.addFilesToWinamp(Player().Tracks))
            state.SkipWithError("the player did not take every track");
    }
    state.counters["tracks"] = static_cast<double>(TrackCount);
}
BENCHMARK(BM_SendMedium)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

// The export of the player's playlist and the collection made of it.
void BM_ImportPlaylist(benchmark::State& state) {
    if (!Ready(state) || !Player().Winamp.addFilesToWinamp(Player().Tracks))
        return;
    for (auto _ : state) {
        DataManagerBenchHost host(MusicTracks);
        const std::string playlist = Player().Winamp.getWinampPlaylistFile();
        host.Manager.AddItems({playlist}, AddFromPlaylist);
        if (host.Manager.GetItems().size() != TrackCount)
            state.SkipWithError("the collection does not hold every track");
    }
    state.counters["tracks"] = static_cast<double>(TrackCount);
}
BENCHMARK(BM_ImportPlaylist)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
