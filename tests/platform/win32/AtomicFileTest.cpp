// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/platform/win32/WideFolder.h"

namespace {

// A file replaced under a temporary name that stays behind, contents garbled on the way, a
// long or Cyrillic path refused, the hidden mark of the temporary file kept on the result, or a
// read-only file overwritten.
TEST(Win32AtomicFile, ReplacesWholeFilesUnderTheirNames) {
    WideFolder folder;
    std::string deep;
    for (int level = 0; level < 5; ++level)
        deep += "Очень_длинное_имя_папки_для_проверки_" + std::to_string(level) + "\\";
    folder.MakeFolder(deep + "x");
    const struct {
        std::string Name;
        std::string Before;  // empty: no file yet
        DWORD Attributes;
        bool Replaced;
    } cases[] = {
        {"new.ini", "", FILE_ATTRIBUTE_NORMAL, true},
        {"Настройки.ini", "old contents", FILE_ATTRIBUTE_NORMAL, true},
        {deep + "Список.txt", "old", FILE_ATTRIBUTE_NORMAL, true},
        {"read-only.ini", "kept", FILE_ATTRIBUTE_READONLY, false},
    };
    const std::string contents = "[Global]\r\nName=Ёлка\r\n" + std::string(70000, 'z');
    for (const auto& entry : cases) {
        const std::string path = folder / entry.Name;
        if (!entry.Before.empty())
            folder.Write(entry.Name, entry.Before, entry.Attributes);
        std::string reason;
        EXPECT_EQ(ReplaceFileAtomically(path, contents, reason), entry.Replaced) << entry.Name;
        EXPECT_EQ(reason.empty(), entry.Replaced) << reason;
        std::string read;
        bool missing = true;
        ASSERT_TRUE(ReadWholeFile(path, read, missing)) << entry.Name;
        EXPECT_FALSE(missing);
        EXPECT_TRUE(read == (entry.Replaced ? contents : entry.Before)) << entry.Name;
        const DWORD attributes = ::GetFileAttributesW(LongPath(path).c_str());
        EXPECT_EQ((attributes & FILE_ATTRIBUTE_HIDDEN) != 0, false) << entry.Name;
        EXPECT_EQ((attributes & FILE_ATTRIBUTE_READONLY) != 0,
                  (entry.Attributes & FILE_ATTRIBUTE_READONLY) != 0)
            << entry.Name;
    }
    EXPECT_EQ(WideFolder::AllNames(folder.Root),
              "new.ini|read-only.ini|Настройки.ini|Очень_длинное_имя_папки_для_проверки_0");
    EXPECT_EQ(WideFolder::AllNames(folder / (deep + "x\\..")), "x|Список.txt");
    std::string read;
    bool missing = false;
    EXPECT_FALSE(ReadWholeFile(folder / "absent.ini", read, missing));
    EXPECT_TRUE(missing);
}

}  // namespace
