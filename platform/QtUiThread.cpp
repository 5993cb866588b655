// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtUiThread.h"

#include <memory>
#include <utility>

#include "platform/SyncStep.h"

void QtUiThreadContext::Push(std::function<void()> step) {
    {
        const std::lock_guard<std::mutex> guard(Lock);
        Steps.push_back(std::move(step));
    }
    QMetaObject::invokeMethod(this, "RunNext", Qt::QueuedConnection);
}

void QtUiThreadContext::RunNext() {
    std::function<void()> step;
    {
        const std::lock_guard<std::mutex> guard(Lock);
        if (Steps.empty())
            return;
        step = std::move(Steps.front());
        Steps.pop_front();
    }
    step();
}

bool QtUiThread::RunSync(const std::function<void()>& step,
                         const std::function<bool()>& abandoned) {
    auto pending = std::make_shared<SyncStep>(step);
    Context.Push([pending] { pending->Run(); });
    return pending->Wait(abandoned);
}

void QtUiThread::Post(std::function<void()> step) {
    Context.Push(std::move(step));
}
