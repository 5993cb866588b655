#pragma once

#include <functional>

// The user-interface thread as seen from a worker. RunSync runs a step on the UI thread while
// the calling thread waits for it; Post queues a step and returns at once.
class UiThread {
public:
    virtual ~UiThread() = default;
    virtual void RunSync(const std::function<void()>& step) = 0;
    virtual void Post(std::function<void()> step) = 0;
};
