// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

// One synchronous step handed from a worker to the UI thread: the UI thread calls Run, the
// worker waits in Wait. Either side may come first; a step the worker gave up on is not run.
// Shared by the UI-thread implementations (hold it in a shared_ptr: the queued call may outlive
// the worker's wait).
class SyncStep {
public:
    explicit SyncStep(std::function<void()> step) : Step(std::move(step)) {}

    // UI thread: runs the step unless the worker has given up on it.
    void Run();
    // Worker: waits until the step has run (true), or gives up while it has not begun and
    // abandoned() holds (false).
    bool Wait(const std::function<bool()>& abandoned);

private:
    enum class State { Pending, Running, Done, Abandoned };

    std::function<void()> Step;
    std::mutex Mutex;
    std::condition_variable Finished;
    State Current = State::Pending;
};
