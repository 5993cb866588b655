// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <thread>

// Runs the step until the condition holds, ten seconds at the most; false when it never held.
template <typename Condition, typename Step>
bool WaitUntil(Condition condition, Step step) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        step();
    }
    return true;
}

// Waits up to ten seconds for the condition, sleeping between looks; false when it never held.
template <typename Condition>
bool WaitUntil(Condition condition) {
    return WaitUntil(condition, [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); });
}
