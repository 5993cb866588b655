// SPDX-License-Identifier: GPL-3.0-or-later
// A medium of 5 000 tracks sent to a real Audacious as its playlist, and that playlist imported
// back as a collection, on a session bus of its own (skipped where Audacious or D-Bus is missing).
// Beside each, audtool alone doing the same work: the floor the player itself sets.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "bench/DataManagerBenchHost.h"
#include "collection/Tdatamanager.h"
#include "platform/ChildProcess.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/PrivateAudacious.h"
#include "tests/doubles/ScriptedWinampPathDialog.h"
#include "winamp/Winamp.h"

namespace {

using namespace std::chrono_literals;

constexpr std::size_t TrackCount = 5000;

// The player, started once before anything is measured, and the medium it is sent: one short
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
        TMedium medium;
        for (const std::string& track : Tracks) {
            TDataManagerTestAccess::Append(Sender.Manager,
                                           ItemFromTrack(track, "Title", 100, Sender.Icons));
            medium.push_back(std::prev(Sender.Manager.GetItems().cend()));
        }
        TDataManagerTestAccess::Media(Sender.Manager).push_back(medium);
        PlaylistFile = Session.Home + "/medium.m3u";
        std::ofstream(PlaylistFile, std::ios::binary) << MediumPlaylist(medium);
        Started = Winamp.findWinamp().has_value();
    }

    PrivateAudaciousSession Session;
    CancellingPrompter Questions;
    ScriptedWinampPathDialog Dialog;
    TWinamp Winamp{Session.Host, Questions, Dialog};
    DataManagerBenchHost Sender{MusicTracks};
    std::vector<std::string> Tracks;
    std::string PlaylistFile;  // the medium's playlist, for audtool alone
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

std::size_t PlayerLength() {
    const std::string answer = RunProcess("audtool", {"playlist-length"}, 10s).Output;
    return static_cast<std::size_t>(std::strtoull(answer.c_str(), nullptr, 10));
}

// Ends the run as failed unless the player holds the whole medium (not measured).
void CheckPlayerHoldsMedium(benchmark::State& state) {
    state.PauseTiming();
    if (PlayerLength() != TrackCount)
        state.SkipWithError("the player does not hold every track");
    state.ResumeTiming();
}

// The Results page's button: the medium written as a playlist file, read by the player in one
// call and counted.
void BM_SendMedium(benchmark::State& state) {
    if (!Ready(state))
        return;
    for (auto _ : state) {
        Player().Sender.Manager.SendMediumToWinamp(0, Player().Winamp);
        CheckPlayerHoldsMedium(state);
    }
    state.counters["tracks"] = static_cast<double>(TrackCount);
}
BENCHMARK(BM_SendMedium)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// audtool alone: the playlist emptied, the same playlist file added and counted until the player
// holds it whole.
void BM_SendMediumAudtoolAlone(benchmark::State& state) {
    if (!Ready(state))
        return;
    for (auto _ : state) {
        RunProcess("audtool", {"playlist-clear", "playlist-addurl", Player().PlaylistFile}, 10s);
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (PlayerLength() != TrackCount && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        CheckPlayerHoldsMedium(state);
    }
    state.counters["tracks"] = static_cast<double>(TrackCount);
}
BENCHMARK(BM_SendMediumAudtoolAlone)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The way a medium goes where no playlist file can carry it: 256 tracks to an audtool call.
void BM_SendMediumManyToACall(benchmark::State& state) {
    if (!Ready(state))
        return;
    for (auto _ : state) {
        if (!Player().Winamp.addFilesToWinamp(Player().Tracks, std::string()))
            state.SkipWithError("the player did not take every track");
    }
    state.counters["tracks"] = static_cast<double>(TrackCount);
}
BENCHMARK(BM_SendMediumManyToACall)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// The export of the player's playlist and the collection made of it.
void BM_ImportPlaylist(benchmark::State& state) {
    if (!Ready(state))
        return;
    Player().Sender.Manager.SendMediumToWinamp(0, Player().Winamp);
    for (auto _ : state) {
        DataManagerBenchHost host(MusicTracks);
        const std::string playlist = Player().Winamp.getWinampPlaylistFile();
        host.Manager.AddItems({playlist}, AddFromPlaylist);
        if (host.Manager.GetItems().size() != TrackCount)
            state.SkipWithError("the collection does not hold every track");
    }
    state.counters["tracks"] = static_cast<double>(TrackCount);
}
BENCHMARK(BM_ImportPlaylist)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// audtool alone: the three fields of every entry asked for, a field to a call, as the export
// asks for them.
void BM_ImportAudtoolAlone(benchmark::State& state) {
    if (!Ready(state))
        return;
    Player().Sender.Manager.SendMediumToWinamp(0, Player().Winamp);
    for (auto _ : state) {
        for (const char* field :
             {"playlist-song-filename", "playlist-song-length-seconds", "playlist-song"}) {
            std::vector<std::string> commands;
            for (std::size_t entry = 1; entry <= TrackCount; ++entry)
                commands.insert(commands.end(), {field, std::to_string(entry)});
            if (!RunProcess("audtool", commands, 120s).Finished)
                state.SkipWithError("audtool did not answer");
        }
    }
    state.counters["tracks"] = static_cast<double>(TrackCount);
}
BENCHMARK(BM_ImportAudtoolAlone)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
