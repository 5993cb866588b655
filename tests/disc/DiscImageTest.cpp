// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/DiscImage.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/doubles/FileKinds.h"
#include "tests/doubles/PosixOnly.h"
#include "tests/doubles/RecordingProgress.h"
#include "tests/doubles/ScriptedPrompter.h"
#include "tests/doubles/TempFolder.h"
#include "tests/platform/ScratchMount.h"

namespace fs = std::filesystem;

namespace {

// The names in a folder, hidden ones too.
std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Utf8Path(folder)))
        names.push_back(Utf8Text(entry.path().filename()));
    return names;
}

bool RunQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

class DiscImageTest : public ::testing::Test {
protected:
    DiscImageTest() { Output = Folder.MakeFolder("out"); }

    DiscImageResult Write(const std::vector<std::string>& paths, const std::string& image) {
        std::vector<FileOperationSource> sources;
        for (const std::string& path : paths)
            sources.push_back({path, false});
        return WriteDiscImage(sources, TreeRule{.CountHidden = true}, image, "DISK1",
                              WorkTitle{MediumWork::MakingImage, 1}, Prompter, Progress);
    }

    TempFolder Folder;
    std::string Output;
    ScriptedPrompter Prompter;
    RecordingProgress Progress;
};

// Would catch an image that loses, renames or alters an item, or whose recorded MD5s do not
// verify: the tree read back equals the medium's items, and xorriso checks every checksum.
TEST_F(DiscImageTest, ImageReadBackHoldsExactlyTheItemsAndVerifies) {
    SKIP_ON_WINDOWS("xorriso, which reads the image back, is a POSIX program");
    Folder.Write(
        "medium/Папка с длинным именем, которое длиннее шестидесяти четырёх знаков "
        "Joliet/глубже/файл.txt",
        "содержимое");
    Folder.Write(
        "medium/Папка с длинным именем, которое длиннее шестидесяти четырёх знаков "
        "Joliet/.скрытый",
        "hidden");
    std::string big(3 * 1024 * 1024 + 5, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>('a' + (i * 7 + i / 4096) % 26);
    Folder.Write("medium/big.bin", big);
    Folder.Write("medium/empty", "");
    MakeSymbolicLink("big.bin", Folder / "medium/link");
    const std::vector<std::string> items = {
        Folder / "medium/Папка с длинным именем, которое длиннее шестидесяти четырёх знаков Joliet",
        Folder / "medium/big.bin", Folder / "medium/empty", Folder / "medium/link"};
    // The copy a medium's folder would get is what the image must hold.
    const std::string expected = Folder.MakeFolder("expected");
    for (const std::string& item : items)
        fs::copy(item, expected + "/" + fs::path(item).filename().string(),
                 fs::copy_options::recursive);
    const std::string image = Output + "/disk1.iso";

    const DiscImageResult result = Write(items, image);

    ASSERT_EQ(result.State, DiscImageResult::Outcome::Written);
    EXPECT_EQ(result.Size, fs::file_size(image));
    EXPECT_EQ(Progress.LastBytes, result.Size);
    EXPECT_EQ(NamesIn(Output), std::vector<std::string>{"disk1.iso"});
    // xorriso loads the recorded checksums only with -md5 on.
    EXPECT_TRUE(RunQuietly("xorriso -md5 on -indev " + image +
                           " -check_md5 FAILURE -- -check_md5_r FAILURE / --"));
    const std::string extracted = Folder / "extracted";
    ASSERT_TRUE(RunQuietly("xorriso -osirrox on -indev " + image + " -extract / " + extracted +
                           " -rollback_end"));
    EXPECT_EQ(TreeOf(extracted), TreeOf(expected));
}

// Would catch a cancelled or failed image left under its final name or as a temporary file:
// Cancel in the progress window, and a disk that fills up, leave the folder as it was.
TEST_F(DiscImageTest, CancelAndFullDiskLeaveNothingBehind) {
    const std::string source = Folder.MakeFile("medium/data", 4 * 1024 * 1024);
    Progress.CancelAtBytes = 1;
    EXPECT_EQ(Write({source}, Output + "/disk1.iso").State, DiscImageResult::Outcome::Cancelled);
    EXPECT_TRUE(NamesIn(Output).empty());
    EXPECT_TRUE(Prompter.Asked.empty());

    ScratchMount small(Folder / "small", "2m");
    if (!small.Mounted())
        GTEST_SKIP() << "mounting a small file system needs root";
    Progress.CancelAtBytes = UINT64_MAX;
    Prompter.Reply(Answer::Ok);
    EXPECT_EQ(Write({source}, Folder / "small/disk1.iso").State, DiscImageResult::Outcome::Failed);
    EXPECT_TRUE(NamesIn(Folder / "small").empty());
    ASSERT_EQ(Prompter.Asked.size(), 1U);
    EXPECT_EQ(Prompter.Asked[0].Kind, QuestionKind::ImageNotWritten);
    EXPECT_EQ(Prompter.Asked[0].Path, (Folder / "small") + "/disk1.iso");
}

// Would catch an image that fails on a disk of 4 096-byte sectors, which refuses the last
// 2 048 bytes of an image of an odd number of blocks when they are written past the cache.
TEST_F(DiscImageTest, AnImageOfOddLengthIsWrittenWholeOnLargeSectors) {
#ifdef _WIN32
    GTEST_SKIP() << "a POSIX rule: a loop device of large sectors";
#else
    const std::string backing = Folder.MakeFile("disk.img", 32 * 1024 * 1024);
    const std::string deviceName = Folder / "device";
    if (::geteuid() != 0 || std::system(("losetup -f --show --sector-size 4096 " + backing + " >" +
                                         deviceName + " 2>/dev/null")
                                            .c_str()) != 0)
        GTEST_SKIP() << "a loop device needs root";
    std::string device = ReadTextFile(deviceName);
    device.erase(device.find_last_not_of('\n') + 1);
    const std::string disk = Folder.MakeFolder("disk");
    const bool mounted = RunQuietly("mkfs.ext4 -q " + device) &&
                         ::mount(device.c_str(), disk.c_str(), "ext4", 0, nullptr) == 0;
    struct Detach {
        std::string Device, Disk;
        bool Mounted;
        ~Detach() {
            if (Mounted)
                ::umount2(Disk.c_str(), 0);
            RunQuietly("losetup -d " + Device);
        }
    } detach{device, disk, mounted};
    ASSERT_TRUE(mounted);
    // One more block of data at a time until the image has an odd number of blocks.
    const std::string medium = Folder.MakeFolder("medium");
    for (int i = 0; DiscImageSize({{medium, false}}, {}).value_or(0) % 4096 == 0 && i < 4; ++i)
        Folder.MakeFile("medium/" + std::to_string(i), 1);
    const std::string image = disk + "/disk1.iso";

    const DiscImageResult result = Write({medium}, image);

    ASSERT_EQ(result.State, DiscImageResult::Outcome::Written);
    EXPECT_EQ(result.Size % 4096, 2048U);
    EXPECT_EQ(fs::file_size(image), result.Size);
    EXPECT_TRUE(RunQuietly("xorriso -md5 on -indev " + image + " -check_md5 FAILURE --"));
#endif
}

// Would catch a cancel that waits until every file of a large tree has been added: a folder of
// many files and many files of their own both stop at the look that sees the cancel.
TEST_F(DiscImageTest, CancelWhileTheTreeIsBuiltEndsIt) {
    // Presses Cancel at its fifth look, long before the tree holds all 300 files.
    struct CancelAtFifthLook : RecordingProgress {
        bool CancelRequested() override { return ++Looks >= 5; }
        int Looks = 0;
    };
    std::vector<FileOperationSource> files;
    for (int i = 0; i < 300; ++i)
        files.push_back({Folder.Write("medium/" + std::to_string(i), "x"), false});
    std::vector<FileOperationSource> folder = {{Folder / "medium", false}};
    for (const std::vector<FileOperationSource>* sources : {&folder, &files}) {
        CancelAtFifthLook progress;
        const DiscImageResult result =
            WriteDiscImage(*sources, {}, Output + "/disk1.iso", "DISK1",
                           WorkTitle{MediumWork::MakingImage, 1}, Prompter, progress);
        EXPECT_EQ(result.State, DiscImageResult::Outcome::Cancelled);
        EXPECT_EQ(progress.Looks, 5);
        EXPECT_EQ(progress.StartCount, 0);  // no image was begun
        EXPECT_TRUE(NamesIn(Output).empty());
        EXPECT_TRUE(Prompter.Asked.empty());
    }
}

// Would catch an item that cannot be added being left out silently, or the user's answer being
// ignored: the question names it, Yes leaves it out of the image, Cancel makes no image.
TEST_F(DiscImageTest, AnItemThatCannotBeAddedIsPutToTheUser) {
    const std::string kept = Folder.Write("medium/kept", "kept");
    const std::string gone = Folder / "medium/gone";
    for (const bool skip : {true, false}) {
        Prompter.Asked.clear();
        Prompter.Reply(skip ? Answer::Yes : Answer::Cancel);
        const DiscImageResult result = Write({gone, kept}, Output + "/disk1.iso");
        EXPECT_EQ(result.State,
                  skip ? DiscImageResult::Outcome::Written : DiscImageResult::Outcome::Cancelled);
        ASSERT_EQ(Prompter.Asked.size(), 1U);
        EXPECT_EQ(Prompter.Asked[0].Kind, QuestionKind::ImageEntryFailed);
        EXPECT_EQ(Prompter.Asked[0].Path, gone);
        EXPECT_EQ(Prompter.Asked[0].Other, Output + "/disk1.iso");
        EXPECT_EQ(NamesIn(Output).size(), skip ? 1U : 0U);
        fs::remove(Output + "/disk1.iso");
    }
}

// Would catch libisofs being handed a link it crashes on (a target name over 255 bytes) or leaves
// out with its whole folder: the item is put to the user with the reason, the rest is written.
TEST_F(DiscImageTest, AnItemBeyondLibisofsLimitsIsPutToTheUserWithItsReason) {
    const std::string kept = Folder.Write("medium/kept", "kept");
    const std::string item = Folder.MakeFolder("medium/item");
    Folder.Write("medium/item/file", "file");
    MAKE_LINK_OR_SKIP(std::string(300, 'x'), item + "/link");
    Prompter.Reply(Answer::Yes);
    EXPECT_EQ(Write({item, kept}, Output + "/disk1.iso").State, DiscImageResult::Outcome::Written);
    ASSERT_EQ(Prompter.Asked.size(), 1U);
    EXPECT_EQ(Prompter.Asked[0].Kind, QuestionKind::ImageEntryFailed);
    EXPECT_EQ(Prompter.Asked[0].Path, item);
    EXPECT_EQ(Prompter.Asked[0].Reason.Why, FailureReason::ImageLinkNameTooLong);
    EXPECT_EQ(Prompter.Asked[0].Reason.SystemText, item + "/link");
}

// Would catch two items of the same name on one medium leaving the second out while the image
// counts as whole: folders merge as in a copy, a file clashing with one placed before is put to
// the user, and an image without it is one source short.
TEST_F(DiscImageTest, ItemsOfOneNameMergeAsInACopyAndAClashIsPutToTheUser) {
    Folder.Write("a/DCIM/x", "x");
    Folder.Write("a/DCIM/sub/p", "p");
    Folder.Write("b/DCIM/y", "y");
    Folder.Write("b/DCIM/sub/q", "q");
    Folder.Write("c/DCIM/x", "other x");
    const std::string image = Output + "/disk1.iso";
    const DiscImageResult merged = Write({Folder / "a/DCIM", Folder / "b/DCIM"}, image);
    EXPECT_EQ(merged.State, DiscImageResult::Outcome::Written);
    EXPECT_EQ(merged.LeftOut, 0U);
    EXPECT_TRUE(Prompter.Asked.empty());
#ifndef _WIN32  // xorriso, which reads the image back, is a POSIX program
    const std::string expected = Folder.MakeFolder("expected/DCIM");
    fs::copy(Folder / "a/DCIM", expected, fs::copy_options::recursive);
    fs::copy(Folder / "b/DCIM", expected, fs::copy_options::recursive);
    const std::string extracted = Folder / "extracted";
    ASSERT_TRUE(RunQuietly("xorriso -osirrox on -indev " + image + " -extract / " + extracted +
                           " -rollback_end"));
    EXPECT_EQ(TreeOf(extracted), TreeOf(Folder / "expected"));
#endif

    Prompter.Reply(Answer::Yes);
    const DiscImageResult clashed = Write({Folder / "a/DCIM", Folder / "c/DCIM"}, image);
    EXPECT_EQ(clashed.State, DiscImageResult::Outcome::Written);
    EXPECT_EQ(clashed.LeftOut, 1U);
    ASSERT_EQ(Prompter.Asked.size(), 1U);
    EXPECT_EQ(Prompter.Asked[0].Kind, QuestionKind::ImageEntryFailed);
    EXPECT_EQ(Prompter.Asked[0].Path, Folder / "c/DCIM");
    EXPECT_EQ(Prompter.Asked[0].Reason.Why, FailureReason::NameTaken);
}

// Would catch a volume name that breaks the format's rules or loses the medium's number.
TEST(DiscVolumeIdTest, CapitalsDigitsAndUnderscoresEndingInTheNumber) {
    const struct {
        const char* Name;
        std::size_t Number;
        const char* Expected;
    } cases[] = {{"disk", 3, "DISK3"},
                 {"Мой диск-2", 12, "_________212"},
                 {"a-very-long-medium-name", 123, "A_VERY_LONG_M123"},
                 {"", 7, "7"}};
    for (const auto& test : cases)
        EXPECT_EQ(DiscVolumeId(test.Name, test.Number), test.Expected) << test.Name;
}

}  // namespace
