// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "divide/DivisionMethod.h"
#include "divide/DivisionSearch.h"
#include "divide/FewestMedia.h"
#include "items/Collectionitems.h"

class DivisionListener;
class UiThread;

// What a division works on and reports to.
struct TDivideThreadParams {
    std::vector<TColGroup>& Groups;  // the units; the worker takes out those it places
    std::uint64_t Capacity;
    std::uint64_t LowBound;
    std::vector<TMedium>& Media;  // the result, appended to in a step on the user-interface thread
    UiThread& uiThread;
    DivisionListener& Listener;
    int Priority;  // the position (0-6) of the priority control
    DivisionMethod Method = DivisionMethod::FillEachMedium;
    // Each medium's search takes the best found so far after this long (0: never).
    std::chrono::steady_clock::duration MediumTimeLimit{0};
};

// The worker that runs a division. It is started by its constructor, touches the result and the
// window only through synchronous steps on the user-interface thread, and announces its end on
// that thread whatever the reason it ended for.
//
// The search runs on a search thread started by a control thread that keeps the priority it was
// started with (the user-interface thread's, normally). A search thread can always be lowered,
// but an ordinary user may not raise it again; so when a position cannot be reached by the
// running search thread, the search parks at its next look at the requests and goes on, with
// its whole state, on a fresh search thread that the control thread starts and that then takes
// the position.
class TDivideThread {
public:
    explicit TDivideThread(const TDivideThreadParams& params);
    // Stops and waits for the worker, from whatever state it is in; an end notification still
    // queued then does nothing. Call it on the user-interface thread, never from inside the
    // listener's addResultMedium or ShowDivisionProgress (the worker waits for those to return).
    ~TDivideThread();
    TDivideThread(const TDivideThread&) = delete;
    TDivideThread& operator=(const TDivideThread&) = delete;

    // Requests from the user-interface thread; none of them waits for the search.
    void Terminate();
    void RequestProgress();
    void RequestTakeBest();
    // Moves the search to the position's priority as far as the system allows and returns the
    // position in force: the wanted one, or the strongest weaker one the system grants (an
    // ordinary user gets no position above normal). Going back to a position held before
    // always works.
    int SetPriority(int position);
    // The position whose priority the search thread has now; nothing while no search thread
    // runs (before it started, while it is being replaced, after the end).
    std::optional<int> WorkerPosition() const;

    // The search's progress at its last report: read them in the report step.
    std::uint32_t GetUnitsLeft() const { return UnitsLeft; }
    std::uint32_t GetElementCount() const { return ElementCount; }
    std::uint64_t GetCombinationCount() const { return CombinationCount; }
    // After the end of a fewest-media division that placed every unit: the fewest media any
    // division can use (the media used when it equals their number). 0 otherwise.
    std::uint32_t GetMediaLowerBound() const { return MediaLowerBound; }

    std::vector<TColGroup>& Groups;
    std::vector<TMedium>& Media;
    const std::uint64_t Capacity;
    const std::uint64_t LowBound;

private:
    void Execute();
    DivisionSearch::Outcome RunSearch(std::vector<std::uint64_t>& totals);
    bool IsStopRequested() const;
    void DeliverMedium(const std::vector<std::uint32_t>& units);
    void ReportProgress();

    TMedium CurrentMedium;
    std::uint32_t UnitsLeft = 0;
    std::uint32_t ElementCount = 0;
    std::uint64_t CombinationCount = 0;

    UiThread& Ui;
    DivisionListener& Listener;
    DivisionSearch Search;
    // Set for a fewest-media division, which then takes the place of Search.
    std::unique_ptr<FewestMedia> Fewest;
    std::uint32_t MediaLowerBound = 0;
    // Cleared when the object goes: the end notification, queued on the user-interface thread,
    // may run after that and must then do nothing.
    std::shared_ptr<std::atomic<bool>> Announce;
    // The search thread's identity (0: none) and the wanted position, guarded together so that
    // a priority is never applied to a thread that has ended.
    mutable std::mutex PriorityMutex;
    std::int64_t SearchThreadId = 0;
    int Priority;
    std::thread Control;
};
