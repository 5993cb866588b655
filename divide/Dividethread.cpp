// SPDX-License-Identifier: GPL-3.0-or-later
#include "divide/Dividethread.h"

#include "items/DivisionListener.h"
#include "platform/ThreadPriority.h"
#include "platform/UiThread.h"

TDivideThread::TDivideThread(const TDivideThreadParams& params)
    : Groups(params.Groups),
      Media(params.Media),
      Capacity(params.Capacity),
      LowBound(params.LowBound),
      Ui(params.uiThread),
      Listener(params.Listener),
      Search(params.Capacity, params.LowBound),
      Announce(std::make_shared<std::atomic<bool>>(true)),
      Priority(params.Priority) {
    Search.SetMediumTimeLimit(params.MediumTimeLimit);
    if (params.Method == DivisionMethod::FewestMedia)
        Fewest = std::make_unique<FewestMedia>(params.Capacity, params.LowBound);
    if (Fewest)
        Fewest->SetTimeLimit(params.MediumTimeLimit);
    Control = std::thread([this] { Execute(); });
}

TDivideThread::~TDivideThread() {
    Announce->store(false);
    Terminate();
    // A search thread waiting for a synchronous step gives up on it once the stop is requested,
    // so the join cannot wait for this (the user-interface) thread.
    if (Control.joinable())
        Control.join();
}

void TDivideThread::Terminate() {
    Search.RequestStop();
    if (Fewest)
        Fewest->RequestStop();
}

void TDivideThread::RequestProgress() {
    if (Fewest)
        Fewest->RequestProgress();
    else
        Search.RequestProgress();
}

void TDivideThread::RequestTakeBest() {
    if (Fewest)
        Fewest->RequestTakeBest();
    else
        Search.RequestTakeBest();
}

bool TDivideThread::IsStopRequested() const {
    return Search.IsStopRequested();
}

int TDivideThread::SetPriority(int position) {
    // What a fresh search thread gets: the control thread starts it at the priority this thread
    // has, as the probe is started.
    const int allowed = StrongestPositionAllowed(position);
    std::lock_guard lock(PriorityMutex);
    Priority = position;
    if (SearchThreadId != 0 && ApplyStrongestThreadPriority(SearchThreadId, position) != allowed)
        Fewest ? Fewest->RequestPark() : Search.RequestPark();
    return allowed;
}

std::optional<int> TDivideThread::WorkerPosition() const {
    std::lock_guard lock(PriorityMutex);
    if (SearchThreadId == 0)
        return std::nullopt;
    return ThreadPosition(SearchThreadId);
}

void TDivideThread::Execute() {
    std::vector<std::uint64_t> totals;
    totals.reserve(Groups.size());
    for (const TColGroup& group : Groups)
        totals.push_back(group.Size);
    DivisionSearch::Outcome outcome = DivisionSearch::Outcome::Parked;
    // Every search thread starts at this thread's priority and lowers itself, so a parked search
    // can go on at any position it held before.
    while (outcome == DivisionSearch::Outcome::Parked && !IsStopRequested()) {
        std::thread searchThread([this, &totals, &outcome] { outcome = RunSearch(totals); });
        searchThread.join();
    }

    DivisionListener& listener = Listener;
    Ui.Post([announce = Announce, &listener] {
        if (announce->load())
            listener.DivisionEnded();
    });
}

DivisionSearch::Outcome TDivideThread::RunSearch(std::vector<std::uint64_t>& totals) {
    {
        std::lock_guard lock(PriorityMutex);
        SearchThreadId = CurrentThreadId();
        ApplyStrongestThreadPriority(SearchThreadId, Priority);
    }
    DivisionSearch::Outcome outcome;
    if (Fewest) {
        outcome = Fewest->Run(
            totals, [this](const std::vector<std::uint32_t>& units) { DeliverMedium(units); },
            [this] { ReportProgress(); });
        if (outcome == DivisionSearch::Outcome::Completed)
            MediaLowerBound = Fewest->LowerBound;
    } else {
        outcome = Search.Run(
            totals,
            [this](const std::vector<std::uint32_t>& units, const DivisionSearch::MediumStats&) {
                DeliverMedium(units);
            },
            [this] { ReportProgress(); });
    }
    std::lock_guard lock(PriorityMutex);
    SearchThreadId = 0;
    return outcome;
}

void TDivideThread::DeliverMedium(const std::vector<std::uint32_t>& units) {
    CurrentMedium.clear();
    for (const std::uint32_t unit : units)
        CurrentMedium.insert(CurrentMedium.end(), Groups[unit].Items.begin(),
                             Groups[unit].Items.end());
    Ui.RunSync(
        [this] {
            Media.push_back(CurrentMedium);
            Listener.addResultMedium();
        },
        [this] { return IsStopRequested(); });
    // Even a medium given up on leaves the units: Groups keeps step with the search's totals.
    RemoveAcceptedUnits(Groups, units);
}

void TDivideThread::ReportProgress() {
    UnitsLeft = Fewest ? Fewest->UnitsLeft : Search.UnitsLeft;
    ElementCount = Fewest ? Fewest->ElementCount : Search.ElementCount;
    CombinationCount = Fewest ? Fewest->CombinationCount : Search.CombinationCount;
    Ui.RunSync(
        [this] { Listener.ShowDivisionProgress(-1, ElementCount, CombinationCount, UnitsLeft); },
        [this] { return IsStopRequested(); });
}
