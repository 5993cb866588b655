// SPDX-License-Identifier: GPL-3.0-or-later
// A process that copies (copy) or moves across volumes (move) one file slowly, block by block,
// so that a test can end it midway: CopyChild copy|move SOURCE TARGET. Exit code 0 when done.
#include <windows.h>

#include <shellapi.h>

#include "platform/win32/WholeFileCopy.h"
#include "platform/win32/WidePath.h"

int main() {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr || count != 4)
        return 2;
    const std::string mode = Narrow(arguments[1]);
    const std::string source = Narrow(arguments[2]);
    const std::string target = Narrow(arguments[3]);
    ::LocalFree(arguments);
    const AfterBlock slowly = [](std::uint64_t) {
        ::Sleep(40);
        return true;
    };
    const WholeFileResult result = mode == "move" ? MoveAcrossVolumes(source, target, false, slowly)
                                                  : CopyFileWhole(source, target, false, slowly);
    return result.Done() ? 0 : 1;
}
