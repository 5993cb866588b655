// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <functional>
#include <thread>

class LoopUiThread;

// Posts a step to the loop at every tick (a tenth of a second) until it is destroyed: how a run
// looks for an interrupt and asks the search for its progress while it waits.
class Ticker {
public:
    Ticker(LoopUiThread& loop, std::function<void()> step);
    ~Ticker();
    Ticker(const Ticker&) = delete;
    Ticker& operator=(const Ticker&) = delete;

private:
    std::atomic<bool> Stop{false};
    std::thread Thread;
};
