// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Console.h"

#include <signal.h>
#include <unistd.h>

namespace {

void (*InterruptHandler)() = nullptr;

extern "C" void OnSignal(int) {
    InterruptHandler();
}

}  // namespace

std::vector<std::string> ConsoleArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void CatchConsoleInterrupt(void (*onInterrupt)()) {
    InterruptHandler = onInterrupt;
    // Interrupted system calls restart: no read or write in the middle of a file fails because
    // of Ctrl+C.
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
}

bool PrepareStatusTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}
