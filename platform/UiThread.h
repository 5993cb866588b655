// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// The user-interface thread as seen from a worker. RunSync runs a step on the UI thread while
// the calling thread waits for it; Post queues a step and returns at once.
class UiThread {
public:
    virtual ~UiThread() = default;

    // Runs step on the UI thread and waits for it. As long as the step has not begun, the wait
    // gives up as soon as abandoned() holds (it is polled, so it may be set from any thread):
    // the step is then never run and the result is false. A step that has begun is waited for.
    // This is what lets the UI thread stop and join a worker that is waiting here.
    virtual bool RunSync(const std::function<void()>& step,
                         const std::function<bool()>& abandoned) = 0;
    virtual void Post(std::function<void()> step) = 0;
};
