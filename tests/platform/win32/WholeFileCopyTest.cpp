// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/WholeFileCopy.h"

#include <gtest/gtest.h>

#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/TreeWalker.h"
#include "tests/platform/win32/TestChildProcess.h"
#include "tests/platform/win32/WideFolder.h"

namespace {

std::string Contents(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
    return bytes;
}

// A copy that differs from its source, a file there replaced without leave, a cancel or a clash
// that leaves a temporary file or a damaged target, a move that loses its source before the copy
// is whole, or a Cyrillic or long path refused.
TEST(Win32WholeFileCopy, CopiesAndMovesWholeFilesOnly) {
    WideFolder folder;
    std::string deep;
    for (int level = 0; level < 5; ++level)
        deep += "Длинная_папка_назначения_номер_" + std::to_string(level) + "\\";
    const std::string into = folder.MakeFolder(deep + "Диск 1");
    const std::string data = Contents(3 * (1 << 20) + 17);
    enum class Call { Copy, Move, MoveAcross };
    const struct {
        const char* Name;
        Call How;
        bool TargetThere;
        bool Replacing;
        bool CancelAtFirstBlock;
        bool Arrives;
        bool SourceStays;
    } cases[] = {
        {"copy", Call::Copy, false, false, false, true, true},
        {"copy onto a file, not replacing", Call::Copy, true, false, false, false, true},
        {"copy onto a file, replacing", Call::Copy, true, true, false, true, true},
        {"copy cancelled", Call::Copy, false, false, true, false, true},
        {"move", Call::Move, false, false, false, true, false},
        {"move onto a file, not replacing", Call::Move, true, false, false, false, true},
        {"move across volumes", Call::MoveAcross, false, false, false, true, false},
        {"move across volumes, cancelled", Call::MoveAcross, false, false, true, false, true},
        {"move across volumes onto a file", Call::MoveAcross, true, false, false, false, true},
    };
    for (const auto& entry : cases) {
        const std::string source = folder.Write(std::string("Песня «") + entry.Name + "».mp3", data,
                                                FILE_ATTRIBUTE_READONLY);
        const std::string target = into + "\\Песня.mp3";
        if (entry.TargetThere)
            folder.Write(deep + "Диск 1\\Песня.mp3", "old");
        const AfterBlock afterBlock = [&entry](std::uint64_t) { return !entry.CancelAtFirstBlock; };
        const WholeFileResult result =
            entry.How == Call::Copy   ? CopyFileWhole(source, target, entry.Replacing, afterBlock)
            : entry.How == Call::Move ? MoveFileWhole(source, target, entry.Replacing, afterBlock)
                                      : MoveAcrossVolumes(source, target, false, afterBlock);
        EXPECT_EQ(result.Done(), entry.Arrives)
            << entry.Name << ": " << (result.Reason ? result.Reason->SystemText : "");
        EXPECT_EQ(result.Cancelled, entry.CancelAtFirstBlock) << entry.Name;
        const std::string arrived = WideFolder::Read(target);
        EXPECT_TRUE(arrived == (entry.Arrives       ? data
                                : entry.TargetThere ? "old"
                                                    : ""))
            << entry.Name;
        EXPECT_EQ(FileExists(source), entry.SourceStays) << entry.Name;
        if (entry.SourceStays) {
            EXPECT_TRUE(WideFolder::Read(source) == data) << entry.Name;
        }
        if (entry.Arrives) {
            EXPECT_EQ(result.Copied, data.size()) << entry.Name;
            // The copy is read-only as its source was, and hidden no longer.
            const auto attributes = ReadPathAttributes(target);
            ASSERT_TRUE(attributes);
            EXPECT_FALSE(attributes->Hidden) << entry.Name;
            EXPECT_FALSE(CanWrite(target)) << entry.Name;
        }
        // Nothing but the target is ever left in the folder.
        EXPECT_EQ(WideFolder::AllNames(into), FileExists(target) ? "Песня.mp3" : "") << entry.Name;
        ::SetFileAttributesW(LongPath(target).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(LongPath(target).c_str());
        ::SetFileAttributesW(LongPath(source).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(LongPath(source).c_str());
    }
    const WholeFileResult missing = CopyFileWhole(folder / "absent", into + "\\x", false, {});
    EXPECT_FALSE(missing.Done());
    EXPECT_TRUE(missing.Reason.has_value());
}

// A copy or a move across volumes ended by TerminateProcess midway: something damaged under the
// target's name, or the source lost.
TEST(Win32WholeFileCopy, AKilledCopyLeavesNothingUnderTheFinalName) {
    for (const char* mode : {"copy", "move"}) {
        WideFolder folder;
        const std::string data = Contents(24 << 20);
        const std::string source = folder.Write("Исходный файл.bin", data);
        const std::string into = folder.MakeFolder("Диск 1");
        const std::string target = into + "\\Копия.bin";
        TestChildProcess child({mode, source, target});
        ASSERT_TRUE(child.Started);
        // Ended once a few blocks have arrived in the temporary file, long before the last.
        bool midway = false;
        for (int wait = 0; wait < 2000 && !midway; ++wait) {
            const std::string names = WideFolder::AllNames(into);
            if (IsPartialFileName(names)) {
                WIN32_FILE_ATTRIBUTE_DATA info{};
                ::GetFileAttributesExW(LongPath(into + "\\" + names).c_str(), GetFileExInfoStandard,
                                       &info);
                midway = info.nFileSizeLow >= (3U << 20);
            }
            if (!midway)
                ::Sleep(5);
        }
        child.Kill();
        EXPECT_TRUE(midway) << mode;
        EXPECT_FALSE(FileExists(target)) << mode;
        EXPECT_TRUE(WideFolder::Read(source) == data) << mode;
        // What the killed process left is hidden and recognised by its name.
        const std::string left = WideFolder::AllNames(into);
        EXPECT_TRUE(IsPartialFileName(left)) << left;
        EXPECT_TRUE(ListTreeFolder(into, TreeRule{})->Entries.empty()) << mode;
    }
}

}  // namespace
