// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Console.h"

#include <gtest/gtest.h>

#include "platform/AtomicFile.h"
#include "tests/platform/win32/TestChildProcess.h"
#include "tests/platform/win32/WideFolder.h"

namespace {

// Arguments taken from the narrow command line, which turns every character outside the ANSI
// code page into "?".
TEST(Win32Console, ArgumentsArriveInUtf8) {
    WideFolder folder;
    const std::string out = folder / "arguments.txt";
    const std::vector<std::string> arguments = {"--name", "Диск «Ёлка»", "C:\\Музыка\\Песня.mp3",
                                                "日本語", "plain"};
    std::vector<std::string> command = {"arguments", out};
    command.insert(command.end(), arguments.begin(), arguments.end());
    TestChildProcess child(command);
    ASSERT_TRUE(child.Started);
    EXPECT_EQ(child.ExitCode(30000), 0U);
    EXPECT_EQ(WideFolder::Read(out), "--name\nДиск «Ёлка»\nC:\\Музыка\\Песня.mp3\n日本語\nplain\n");
}

}  // namespace
