// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/InterruptSignals.h"

#include <signal.h>

#include <atomic>

namespace {

std::atomic<int> Caught{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnInterrupt(int signal) {
    int none = 0;
    Caught.compare_exchange_strong(none, signal);
}

}  // namespace

void CatchInterrupts() {
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

int InterruptSignal() {
    return Caught.load();
}

int InterruptedStatus() {
    const int signal = InterruptSignal();
    return 128 + (signal != 0 ? signal : SIGINT);
}
