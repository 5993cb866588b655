// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/TreeWalker.h"
#include "tests/platform/win32/WideFolder.h"

namespace {

// A path longer than the old 260-character limit, in Cyrillic.
std::string DeepName() {
    std::string deep;
    for (int level = 0; level < 6; ++level)
        deep += std::string(level == 0 ? "" : "\\") + "Папка_с_длинным_именем_номер_" +
                std::to_string(level);
    return deep;
}

// A hidden or system entry listed, an attribute misread, a length lost, a name garbled on its way
// through UTF-16, a long path or one ending in a delimiter refused, or a full path not resolved.
TEST(Win32FileSystem, ListsOnlyVisibleEntriesWithTheirAttributes) {
    WideFolder folder;
    const std::string deep = folder.MakeFolder(DeepName());
    ASSERT_GT(deep.size(), 300U);
    const struct {
        std::string Name;
        DWORD Attributes;
        bool Listed;
    } cases[] = {
        {"plain.mp3", FILE_ATTRIBUTE_NORMAL, true},
        {"Песня №1.mp3", FILE_ATTRIBUTE_NORMAL, true},
        {".dotted", FILE_ATTRIBUTE_NORMAL, true},  // a leading dot hides nothing here
        {"read-only.txt", FILE_ATTRIBUTE_READONLY, true},
        {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, false},
        {"system.sys", FILE_ATTRIBUTE_SYSTEM, false},
    };
    std::string expected;
    for (const auto& entry : cases) {
        folder.Write(DeepName() + "\\" + entry.Name, entry.Name, entry.Attributes);
        const auto attributes = ReadPathAttributes(deep + "\\" + entry.Name);
        ASSERT_TRUE(attributes) << entry.Name;
        EXPECT_EQ(attributes->Hidden, (entry.Attributes & FILE_ATTRIBUTE_HIDDEN) != 0)
            << entry.Name;
        EXPECT_EQ(attributes->System, (entry.Attributes & FILE_ATTRIBUTE_SYSTEM) != 0)
            << entry.Name;
        EXPECT_EQ(attributes->Length, entry.Name.size()) << entry.Name;
        EXPECT_TRUE(FileExists(deep + "\\" + entry.Name)) << entry.Name;
    }
    folder.MakeFolder(DeepName() + "\\Подпапка");
    const auto listing = ListTreeFolder(deep, TreeRule{});
    ASSERT_TRUE(listing);
    const auto& entries = listing->Entries;
    for (const auto& entry : entries) {
        const auto known =
            std::find_if(std::begin(cases), std::end(cases),
                         [&entry](const auto& item) { return item.Name == entry.Name; });
        if (entry.Name == "Подпапка") {
            EXPECT_EQ(entry.Kind, TreeEntryKind::Folder);
            EXPECT_EQ(entry.Length, 0U);
        } else {
            ASSERT_NE(known, std::end(cases)) << entry.Name;
            EXPECT_TRUE(known->Listed) << entry.Name;
            EXPECT_EQ(entry.Kind, TreeEntryKind::File) << entry.Name;
            EXPECT_EQ(entry.Length, entry.Name.size()) << entry.Name;
        }
    }
    EXPECT_EQ(entries.size(), 5U);
    EXPECT_EQ(listing->LeftOut, 2U);
    // Counting hidden entries takes the hidden file in; a system entry never belongs to a tree.
    EXPECT_EQ(ListTreeFolder(deep, TreeRule{true})->Entries.size(), 6U);
    // Hidden and system entries still count as entries of the folder.
    EXPECT_TRUE(HasMoreEntriesThan(deep, 6));
    EXPECT_FALSE(HasMoreEntriesThan(deep, 7));
    EXPECT_FALSE(ListTreeFolder(deep + "\\absent", TreeRule{}));
    // A folder named with its delimiter at the end, as a folder's size asks for it.
    const auto delimited = ListTreeFolder(deep + "\\", TreeRule{});
    ASSERT_TRUE(delimited);
    EXPECT_EQ(delimited->Entries.size(), entries.size());
    EXPECT_EQ(FullPath(deep + "\\.\\Подпапка\\"), deep + "\\Подпапка");
    EXPECT_FALSE(FileExists(deep + "\\Подпапка"));
}

// A read-only file or a missing path taken for writable.
TEST(Win32FileSystem, TellsWhatMayBeWritten) {
    WideFolder folder;
    const struct {
        std::string Path;
        bool Writable;
    } cases[] = {
        {folder.Root, true},
        {folder.Write("Запись.ini", "x"), true},
        {folder.Write("Только чтение.ini", "x", FILE_ATTRIBUTE_READONLY), false},
        {folder / "absent", false},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(CanWrite(entry.Path), entry.Writable) << entry.Path;
    // The probe of a folder leaves nothing behind.
    EXPECT_EQ(WideFolder::AllNames(folder.Root), "Запись.ini|Только чтение.ini");
}

// The executable's path lost or garbled.
TEST(Win32FileSystem, KnowsTheExecutable) {
    const std::string path = ExecutablePath();
    ASSERT_GT(path.size(), 4U);
    EXPECT_EQ(path.substr(path.size() - 4), ".exe");
    EXPECT_TRUE(FileExists(path));
}

}  // namespace
