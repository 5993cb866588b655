// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/SyncStep.h"
#include "platform/UiThread.h"

// A thread without a window playing the user-interface thread (the command-line tool's main
// thread, a test's thread): a worker's synchronous steps and
// posted steps queue up here and run when that thread pumps the loop.
class LoopUiThread : public UiThread {
public:
    bool RunSync(const std::function<void()>& step,
                 const std::function<bool()>& abandoned) override {
        auto pending = std::make_shared<SyncStep>(step);
        Post([pending] { pending->Run(); });
        return pending->Wait(abandoned);
    }

    void Post(std::function<void()> step) override {
        std::lock_guard lock(Mutex);
        Queue.push_back(std::move(step));
        Ready.notify_all();
    }

    // Runs queued steps until stop() holds after a step; waits for steps while it does not.
    template <typename Predicate>
    void PumpUntil(Predicate stop) {
        while (!stop()) {
            std::function<void()> step;
            {
                std::unique_lock lock(Mutex);
                Ready.wait(lock, [&] { return !Queue.empty(); });
                step = std::move(Queue.front());
                Queue.pop_front();
            }
            step();
        }
    }

    // How many steps are queued now; a test waits with it for a worker to reach a step.
    std::size_t PendingSteps() {
        std::lock_guard lock(Mutex);
        return Queue.size();
    }

    // Runs the steps queued now, without waiting for more.
    void RunPending() {
        for (std::size_t count = PendingSteps(); count > 0; --count) {
            std::function<void()> step;
            {
                std::lock_guard lock(Mutex);
                step = std::move(Queue.front());
                Queue.pop_front();
            }
            step();
        }
    }

private:
    std::mutex Mutex;
    std::condition_variable Ready;
    std::deque<std::function<void()>> Queue;
};
