#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "Collectionitems.h"
#include "DivisionSearch.h"

class DivisionListener;
class UiThread;

// The worker that runs a division. It is started by its constructor, touches the result and the
// window only through synchronous steps on the user-interface thread, and announces its end on
// that thread whatever the reason it ended for.
class TDivideThread {
public:
    TDivideThread(std::vector<TColGroup>& groups, std::uint64_t capacity, std::uint64_t lowBound,
                  std::vector<TMedium>& media, UiThread& uiThread, DivisionListener& listener);
    // Waits for the worker; the end notification must have run (or never be run) by then.
    ~TDivideThread();
    TDivideThread(const TDivideThread&) = delete;
    TDivideThread& operator=(const TDivideThread&) = delete;

    // Requests from the user-interface thread; none of them waits.
    void Terminate();
    void RequestProgress();
    void RequestTakeBest();
    void SetPriority(int position);

    std::vector<TColGroup>& Groups;
    TMedium CurrentMedium;
    std::vector<TMedium>& Media;
    const std::uint64_t Capacity;
    const std::uint64_t LowBound;
    std::uint32_t UnitsLeft = 0;
    std::uint32_t ElementCount = 0;
    std::uint64_t CombinationCount = 0;

private:
    void Execute();
    void DeliverMedium(const std::vector<std::uint32_t>& units);
    void ReportProgress();

    UiThread& Ui;
    DivisionListener& Listener;
    DivisionSearch Search;
    std::atomic<std::int64_t> WorkerId{0};
    std::atomic<int> Priority;
    std::thread Worker;
};

// The remembered position of the priority control (0-6), taken by every new division thread;
// not stored in the settings, so every start of the program begins at normal.
int DivisionPriority();
void SetDivisionPriorityPosition(int position);
