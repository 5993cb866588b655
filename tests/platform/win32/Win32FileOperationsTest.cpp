// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/Win32FileOperations.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/doubles/RecordingProgress.h"
#include "tests/doubles/ScriptedPrompter.h"
#include "tests/platform/win32/WideFolder.h"

namespace {

void PutOldSong(WideFolder& folder) {
    folder.MakeFolder("Диск 1\\Альбом");
    folder.Write("Диск 1\\Альбом\\Песня.mp3", "old");
}

// A copy that is not byte-exact or loses a Cyrillic name, a file replaced without leave, a move
// that keeps its source or loses it on a failure, a cancel or a failure that leaves a partial file
// or an empty folder behind, what a killed run left kept, a folder copied into itself, a missing
// destination not made, or checksums of other bytes than the copy's.
TEST(Win32FileOperations, KeepsEveryPromiseOfTheService) {
    const std::string song(300000, 'a');
    const std::string cover(70000, 'b');
    const struct {
        const char* Name;
        FileOperationKind Kind;
        std::function<void(WideFolder&)> Prepare;  // beside the source "Альбом" and "Диск 1"
        std::vector<Answer> Answers;
        std::uint64_t CancelAt;
        const char* Destination;  // the names in "Диск 1" afterwards
        const char* InAlbum;      // the names left in "Альбом"
        const char* CopiedSong;  // what "Диск 1\Альбом\Песня.mp3" holds: "song", "old" or ""
        bool Done;
    } cases[] = {
        {"copy",
         FileOperationKind::Copy,
         nullptr,
         {},
         ~0ULL,
         "Альбом",
         "Обложка.jpg|Песня.mp3",
         "song",
         true},
        {"copy onto a file, kept",
         FileOperationKind::Copy,
         PutOldSong,
         {Answer::No},
         ~0ULL,
         "Альбом",
         "Обложка.jpg|Песня.mp3",
         "old",
         true},
        {"copy onto a file, replaced",
         FileOperationKind::Copy,
         PutOldSong,
         {Answer::Yes},
         ~0ULL,
         "Альбом",
         "Обложка.jpg|Песня.mp3",
         "song",
         true},
        {"copy cancelled midway",
         FileOperationKind::Copy,
         nullptr,
         {},
         1,
         "",
         "Обложка.jpg|Песня.mp3",
         "",
         false},
        {"what a killed copy left goes",
         FileOperationKind::Copy,
         [](WideFolder& f) { f.Write("Диск 1\\.vantrel-partial-abc123", "cut"); },
         {},
         ~0ULL,
         "Альбом",
         "Обложка.jpg|Песня.mp3",
         "song",
         true},
        {"move", FileOperationKind::Move, nullptr, {}, ~0ULL, "Альбом", "", "song", true},
        {"move onto a file, kept",
         FileOperationKind::Move,
         PutOldSong,
         {Answer::No},
         ~0ULL,
         "Альбом",
         "Песня.mp3",
         "old",
         true},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.Name);
        WideFolder folder;
        folder.MakeFolder("Альбом");
        folder.MakeFolder("Диск 1");
        folder.Write("Альбом\\Песня.mp3", song);
        folder.Write("Альбом\\Обложка.jpg", cover);
        if (entry.Prepare)
            entry.Prepare(folder);
        ScriptedPrompter prompter;
        for (const Answer answer : entry.Answers)
            prompter.Reply(answer);
        RecordingProgress progress;
        progress.CancelAtBytes = entry.CancelAt;
        Win32FileOperations service(prompter, progress);
        service.RecordChecksums(true);
        const FileOperationResult result =
            service.Run(entry.Kind, {{folder / "Альбом"}}, folder / "Диск 1", WorkTitle{}, {});
        EXPECT_EQ(result.Done(), entry.Done);
        EXPECT_EQ(WideFolder::AllNames(folder / "Диск 1"), entry.Destination);
        EXPECT_EQ(WideFolder::AllNames(folder / "Альбом"), entry.InAlbum);
        const std::string copied = WideFolder::Read(folder / "Диск 1\\Альбом\\Песня.mp3");
        EXPECT_EQ(copied, std::string(entry.CopiedSong) == "song"  ? song
                          : std::string(entry.CopiedSong) == "old" ? "old"
                                                                   : "");
        if (entry.Kind == FileOperationKind::Copy && entry.Done && entry.Answers.empty()) {
            const auto sums = service.TakeChecksums();
            ASSERT_EQ(sums.size(), 2u);
            for (const FileChecksum& sum : sums)
                EXPECT_EQ(sum.Sha256,
                          sum.Path == folder / "Диск 1\\Альбом\\Песня.mp3"
                              ? "12e1b9b179b29a4f7e5889b185d7ac71bff0ad1f49a7b391d0911b737a0f5381"
                              : "e17a5aac4901b92f9dc2e602fd96e40ad98697213ec71392f66042541e8434ea")
                    << sum.Path;
        }
        EXPECT_TRUE(prompter.ScriptUsed());
    }
}

// A folder copied into itself would never end; a destination that is missing is made.
TEST(Win32FileOperations, RefusesAFolderIntoItselfAndMakesAMissingDestination) {
    WideFolder folder;
    folder.MakeFolder("Папка");
    folder.Write("Папка\\файл.txt", "x");
    ScriptedPrompter prompter;
    prompter.Reply(Answer::Yes);  // skip the folder
    RecordingProgress progress;
    Win32FileOperations service(prompter, progress);
    const FileOperationResult into = service.Run(FileOperationKind::Copy, {{folder / "Папка"}},
                                                 folder / "папка\\Внутри", WorkTitle{}, {});
    ASSERT_EQ(prompter.Asked.size(), 1u);
    EXPECT_EQ(prompter.Asked[0].Reason.Why, FailureReason::FolderIntoItself);
    EXPECT_EQ(into.Failed, 1u);
    EXPECT_EQ(WideFolder::AllNames(folder / "Папка\\Внутри"), "");

    const FileOperationResult made = service.Run(
        FileOperationKind::Copy, {{folder / "Папка\\файл.txt"}}, folder / "Новая", WorkTitle{}, {});
    EXPECT_TRUE(made.Done());
    EXPECT_EQ(WideFolder::Read(folder / "Новая\\файл.txt"), "x");
}

}  // namespace
