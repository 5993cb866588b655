// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SyncStep.h"

#include <chrono>

void SyncStep::Run() {
    {
        std::lock_guard lock(Mutex);
        if (Current != State::Pending)
            return;
        Current = State::Running;
    }
    Step();
    std::lock_guard lock(Mutex);
    Current = State::Done;
    Finished.notify_all();
}

bool SyncStep::Wait(const std::function<bool()>& abandoned) {
    // The stop request is a plain flag without a notification, so it is polled; 10 ms keeps a
    // stop prompt without costing anything measurable while a step runs.
    constexpr auto pollInterval = std::chrono::milliseconds(10);
    std::unique_lock lock(Mutex);
    while (Current != State::Done) {
        if (Current == State::Pending && abandoned()) {
            Current = State::Abandoned;
            return false;
        }
        Finished.wait_for(lock, pollInterval);
    }
    return true;
}
