// SPDX-License-Identifier: GPL-3.0-or-later
// A process the Win32 tests start and stop:
//   TestChild copy|move SOURCE TARGET  copies (or moves across volumes) one file slowly, block by
//                                      block, so that a test can end it midway; 0 when done.
//   TestChild arguments FILE ARG...    writes its arguments as the program reads them, one a
//                                      line, into FILE.
#include <windows.h>

#include "platform/AtomicFile.h"
#include "platform/Console.h"
#include "platform/win32/WholeFileCopy.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = ConsoleArguments(argc, argv);
    if (arguments.size() < 2)
        return 2;
    const std::string& mode = arguments[0];
    std::string reason;
    if (mode == "arguments") {
        std::string lines;
        for (std::size_t i = 2; i < arguments.size(); ++i)
            lines += arguments[i] + "\n";
        return ReplaceFileAtomically(arguments[1], lines, reason) ? 0 : 1;
    }
    if (arguments.size() != 3)
        return 2;
    const AfterBlock slowly = [](std::uint64_t) {
        ::Sleep(40);
        return true;
    };
    const WholeFileResult result =
        mode == "move" ? MoveAcrossVolumes(arguments[1], arguments[2], false, slowly)
                       : CopyFileWhole(arguments[1], arguments[2], false, slowly);
    return result.Done() ? 0 : 1;
}
