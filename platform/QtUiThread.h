// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "platform/UiThread.h"

// The user-interface thread of a Qt program: steps are queued to the thread of a context object
// made here (construct it on the user-interface thread). RunSync queues the step and waits
// without blocking the event loop's own queue, so a worker told to stop gives up its wait.
class QtUiThread : public UiThread {
public:
    bool RunSync(const std::function<void()>& step,
                 const std::function<bool()>& abandoned) override;
    void Post(std::function<void()> step) override;

private:
    QObject Context;
};
