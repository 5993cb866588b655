// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtUiThread.h"

#include <memory>

#include "platform/SyncStep.h"

bool QtUiThread::RunSync(const std::function<void()>& step,
                         const std::function<bool()>& abandoned) {
    auto pending = std::make_shared<SyncStep>(step);
    QMetaObject::invokeMethod(
        &Context, [pending] { pending->Run(); }, Qt::QueuedConnection);
    return pending->Wait(abandoned);
}

void QtUiThread::Post(std::function<void()> step) {
    QMetaObject::invokeMethod(&Context, std::move(step), Qt::QueuedConnection);
}
