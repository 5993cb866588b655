// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtUiThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <QCoreApplication>
#include <QThread>

#include "tests/doubles/WaitUntil.h"

namespace {

// Runs the application's event loop until the condition holds, ten seconds at the most.
template <typename Condition>
bool ProcessEventsUntil(Condition condition) {
    return WaitUntil(condition, [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 5); });
}

struct Application {
    int Argc = 1;
    char Name[8] = "vantrel";
    char* Argv[1] = {Name};
    QCoreApplication App{Argc, Argv};
};

// A step run on the worker's own thread, or one the worker does not wait for.
TEST(QtUiThread, AStepRunsOnTheUserInterfaceThreadWhileTheWorkerWaits) {
    Application application;
    QtUiThread ui;
    std::atomic<bool> returned = false;
    bool ran = false;
    bool onUiThread = false;
    bool result = false;
    std::thread worker([&] {
        result = ui.RunSync(
            [&] {
                onUiThread = QThread::currentThread() == application.App.thread();
                ran = true;
            },
            [] { return false; });
        returned = true;
    });
    EXPECT_TRUE(ProcessEventsUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_TRUE(result);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(onUiThread);
}

// A worker that cannot stop while the user-interface thread is busy, or a step run after the
// worker gave up on it.
TEST(QtUiThread, AnAbandonedStepIsNeverRun) {
    Application application;
    QtUiThread ui;
    std::atomic<bool> giveUp = false;
    std::atomic<bool> ran = false;
    bool result = true;
    std::thread worker(
        [&] { result = ui.RunSync([&] { ran = true; }, [&] { return giveUp.load(); }); });
    giveUp = true;
    worker.join();  // the user-interface thread runs no events meanwhile
    QCoreApplication::processEvents();
    EXPECT_FALSE(result);
    EXPECT_FALSE(ran);
}

// A posted step lost, or run on the posting thread.
TEST(QtUiThread, APostedStepRunsLaterOnTheUserInterfaceThread) {
    Application application;
    QtUiThread ui;
    std::atomic<bool> ran = false;
    bool onUiThread = false;
    std::thread worker([&] {
        ui.Post([&] {
            onUiThread = QThread::currentThread() == application.App.thread();
            ran = true;
        });
    });
    worker.join();
    EXPECT_TRUE(ProcessEventsUntil([&] { return ran.load(); }));
    EXPECT_TRUE(onUiThread);
}

}  // namespace
