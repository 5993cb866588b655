// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <mutex>

#include <QObject>

#include "platform/UiThread.h"

// Runs queued steps on the thread it lives in, one per queued call, in the order they came. The
// steps pass through a queue of its own under a standard mutex, so that the hand-off from another
// thread is one that thread checkers see (Qt's own event queue is not visible to them).
class QtUiThreadContext : public QObject {
    Q_OBJECT

public:
    // Callable from any thread.
    void Push(std::function<void()> step);
    Q_INVOKABLE void RunNext();

private:
    std::mutex Lock;
    std::deque<std::function<void()>> Steps;
};

// The user-interface thread of a Qt program: steps are queued to the thread of a context object
// made here (construct it on the user-interface thread). RunSync queues the step and waits
// without blocking the event loop's own queue, so a worker told to stop gives up its wait.
class QtUiThread : public UiThread {
public:
    bool RunSync(const std::function<void()>& step,
                 const std::function<bool()>& abandoned) override;
    void Post(std::function<void()> step) override;

private:
    QtUiThreadContext Context;
};
