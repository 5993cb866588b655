// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/DiscImage.h"

#include <gtest/gtest.h>

#include "disc/DiscFootprint.h"
#include "tests/doubles/RecordingProgress.h"
#include "tests/doubles/ScriptedPrompter.h"
#include "tests/platform/win32/WideFolder.h"

namespace {

// An image on Windows that loses a Cyrillic name, takes files of like length for one (libisofs
// telling files apart by inode numbers Windows does not have), stays under its temporary name or
// leaves it behind, or outgrows the footprint its items were divided by.
TEST(Win32DiscImage, HoldsEveryFileUnderItsNameWithinTheFootprint) {
    WideFolder folder;
    folder.MakeFolder("Фото\\Лето");
    const std::string block(70000, 'x');
    std::vector<FileOperationSource> sources = {{folder.MakeFolder("Фото")},
                                                {folder.Write("Песня.mp3", block + "1")}};
    folder.Write("Фото\\Лето\\Море.jpg", block + "2");
    folder.Write("Фото\\Лето\\Горы.jpg", block + "3");
    folder.Write("Фото\\Зима.jpg", block + "4");
    const std::string output = folder.MakeFolder("Образы");
    ScriptedPrompter prompter;
    RecordingProgress progress;

    const DiscImageResult result =
        WriteDiscImage(sources, TreeRule{}, output + "\\Диск 1.iso", "DISK1",
                       WorkTitle{MediumWork::MakingImage, 1}, prompter, progress);

    ASSERT_EQ(result.State, DiscImageResult::Outcome::Written);
    EXPECT_EQ(WideFolder::AllNames(output), "Диск 1.iso");
    EXPECT_EQ(WideFolder::Read(output + "\\Диск 1.iso").size(), result.Size);
    EXPECT_EQ(DiscImageSize(sources, TreeRule{}), result.Size);
    // Four files of 70 001 bytes, each in blocks of its own.
    EXPECT_GE(result.Size, 4 * 36 * DiscBlockSize);
    std::uint64_t footprint = DiscImageReserve();
    for (const FileOperationSource& source : sources)
        footprint += DiscFootprint(source.Path, false, TreeRule{});
    EXPECT_LE(result.Size, footprint);
    // The Joliet tree holds the names in UTF-16: each Cyrillic name is there.
    const std::string image = WideFolder::Read(output + "\\Диск 1.iso");
    for (const wchar_t* name :
         {L"Фото", L"Лето", L"Море.jpg", L"Горы.jpg", L"Зима.jpg", L"Песня.mp3"}) {
        std::string utf16be;
        for (const wchar_t* c = name; *c != 0; ++c) {
            utf16be += static_cast<char>((*c >> 8) & 0xFF);
            utf16be += static_cast<char>(*c & 0xFF);
        }
        EXPECT_NE(image.find(utf16be), std::string::npos) << Narrow(name);
    }
}

}  // namespace
