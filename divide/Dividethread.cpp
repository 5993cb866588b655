#include "Dividethread.h"

#include "DivisionListener.h"
#include "ThreadPriority.h"
#include "UiThread.h"

namespace {

std::atomic<int> RememberedPriority{3};

}  // namespace

int DivisionPriority() {
    return RememberedPriority.load();
}

void SetDivisionPriorityPosition(int position) {
    RememberedPriority.store(position);
}

TDivideThread::TDivideThread(std::vector<TColGroup>& groups, std::uint64_t capacity,
                             std::uint64_t lowBound, std::vector<TMedium>& media,
                             UiThread& uiThread, DivisionListener& listener)
    : Groups(groups),
      Media(media),
      Capacity(capacity),
      LowBound(lowBound),
      Ui(uiThread),
      Listener(listener),
      Search(capacity, lowBound),
      Priority(DivisionPriority()) {
    Worker = std::thread([this] { Execute(); });
}

TDivideThread::~TDivideThread() {
    Search.RequestStop();
    if (Worker.joinable())
        Worker.join();
}

void TDivideThread::Terminate() {
    Search.RequestStop();
}

void TDivideThread::RequestProgress() {
    Search.RequestProgress();
}

void TDivideThread::RequestTakeBest() {
    Search.RequestTakeBest();
}

void TDivideThread::SetPriority(int position) {
    Priority.store(position);
    // Before the worker has published its identity it applies the stored position itself.
    if (const std::int64_t id = WorkerId.load(); id != 0)
        ApplyThreadPriority(id, position);
}

void TDivideThread::Execute() {
    WorkerId.store(CurrentThreadId());
    ApplyThreadPriority(WorkerId.load(), Priority.load());

    std::vector<std::uint64_t> totals;
    totals.reserve(Groups.size());
    for (const TColGroup& group : Groups)
        totals.push_back(group.Size);
    Search.Run(
        totals,
        [this](const std::vector<std::uint32_t>& units, const DivisionSearch::MediumStats&) {
            DeliverMedium(units);
        },
        [this] { ReportProgress(); });

    WorkerId.store(0);
    DivisionListener& listener = Listener;
    Ui.Post([&listener] { listener.DivisionEnded(); });
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
        [this] { return Search.IsStopRequested(); });
    RemoveAcceptedUnits(Groups, units);
}

void TDivideThread::ReportProgress() {
    UnitsLeft = Search.UnitsLeft;
    ElementCount = Search.ElementCount;
    CombinationCount = Search.CombinationCount;
    Ui.RunSync(
        [this] { Listener.ShowDivisionProgress(-1, ElementCount, CombinationCount, UnitsLeft); },
        [this] { return Search.IsStopRequested(); });
}
