#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "UiThread.h"

// A thread without a window playing the user-interface thread (the command-line tool's main
// thread, a test's thread): a worker's synchronous steps and
// posted steps queue up here and run when that thread pumps the loop.
class LoopUiThread : public UiThread {
public:
    void RunSync(const std::function<void()>& step) override {
        std::unique_lock lock(Mutex);
        bool done = false;
        Queue.push_back([&] {
            step();
            std::lock_guard doneLock(Mutex);
            done = true;
            DoneSignal.notify_all();
        });
        Ready.notify_all();
        DoneSignal.wait(lock, [&] { return done; });
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

private:
    std::mutex Mutex;
    std::condition_variable Ready;
    std::condition_variable DoneSignal;
    std::deque<std::function<void()>> Queue;
};
