// SPDX-License-Identifier: GPL-3.0-or-later
// The console on Windows: arguments taken in UTF-16 from the command line (the narrow ones are in
// the ANSI code page and lose every character it lacks), Ctrl+C through a console control
// handler, and a status line written in UTF-8.
#include "platform/Console.h"

#include <windows.h>

#include <shellapi.h>

#include <atomic>

#include "platform/win32/WidePath.h"

namespace {

std::atomic<void (*)()> InterruptHandler{nullptr};

BOOL WINAPI OnControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;  // closing the console or logging off ends the process as usual
    if (auto* handler = InterruptHandler.load())
        handler();
    return TRUE;
}

}  // namespace

std::vector<std::string> ConsoleArguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Narrow(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

void CatchConsoleInterrupt(void (*onInterrupt)()) {
    InterruptHandler.store(onInterrupt);
    ::SetConsoleCtrlHandler(OnControl, TRUE);
}

int InterruptedExitStatus() {
    return 130;  // as a shell reports a run that Ctrl+C ended
}

bool PrepareStatusTerminal() {
    HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (error == INVALID_HANDLE_VALUE || error == nullptr || !::GetConsoleMode(error, &mode))
        return false;
    // The status line is UTF-8 and rewritten in place after a carriage return.
    ::SetConsoleOutputCP(CP_UTF8);
    ::SetConsoleMode(error, mode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    return true;
}
