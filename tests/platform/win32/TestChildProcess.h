// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/PathNames.h"
#include "platform/win32/WidePath.h"

// The test child (TestChild.cpp) started with the given arguments, each quoted; closed and, when
// still running, ended as it goes.
class TestChildProcess {
public:
    explicit TestChildProcess(const std::vector<std::string>& arguments) {
        std::wstring command =
            L"\"" + Widen(JoinPath(ParentFolder(ExecutablePath()), VANTREL_TEST_CHILD)) + L"\"";
        for (const auto& argument : arguments)
            command += L" \"" + Widen(argument) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        Started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &Process) != 0;
    }
    ~TestChildProcess() {
        if (!Started)
            return;
        ::TerminateProcess(Process.hProcess, 9);
        ::WaitForSingleObject(Process.hProcess, 10000);
        ::CloseHandle(Process.hThread);
        ::CloseHandle(Process.hProcess);
    }
    TestChildProcess(const TestChildProcess&) = delete;
    TestChildProcess& operator=(const TestChildProcess&) = delete;

    // Ends it at once, as a crash or the task manager would.
    void Kill() {
        ::TerminateProcess(Process.hProcess, 9);
        ::WaitForSingleObject(Process.hProcess, 10000);
    }

    // Its exit code once it ended within the milliseconds given; STILL_ACTIVE when not.
    DWORD ExitCode(DWORD milliseconds) {
        DWORD code = STILL_ACTIVE;
        if (::WaitForSingleObject(Process.hProcess, milliseconds) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(Process.hProcess, &code);
        return code;
    }

    bool Started = false;
    PROCESS_INFORMATION Process{};
};
