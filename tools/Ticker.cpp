// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/Ticker.h"

#include <chrono>

#include "platform/LoopUiThread.h"

namespace {

constexpr auto TickInterval = std::chrono::milliseconds(100);

}  // namespace

Ticker::Ticker(LoopUiThread& loop, std::function<void()> step)
    : Thread([this, &loop, step = std::move(step)] {
          while (!Stop.load()) {
              std::this_thread::sleep_for(TickInterval);
              loop.Post(step);
          }
      }) {}

Ticker::~Ticker() {
    Stop.store(true);
    Thread.join();
}
