// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Console.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace {

void (*InterruptHandler)() = nullptr;
std::atomic<int> FirstSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnSignal(int signal) {
    int none = 0;
    FirstSignal.compare_exchange_strong(none, signal);
    InterruptHandler();
}

}  // namespace

std::vector<std::string> ConsoleArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void CatchConsoleInterrupt(void (*onInterrupt)()) {
    InterruptHandler = onInterrupt;
    // Interrupted system calls restart: no read or write in the middle of a file fails because
    // of a signal.
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

int InterruptedExitStatus() {
    const int signal = FirstSignal.load();
    return 128 + (signal != 0 ? signal : SIGINT);
}

bool PrepareStatusTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}
