// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemFileOperations.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win32/WidePath.h"
#else
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/AtomicFile.h"
#include "tests/doubles/FileKinds.h"
#include "tests/doubles/OrdinaryUser.h"
#include "tests/doubles/PosixOnly.h"
#include "tests/doubles/RecordingProgress.h"
#include "tests/doubles/ScriptedPrompter.h"
#include "tests/doubles/TempFolder.h"
#include "tests/platform/ScratchMount.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t MiB = 1024 * 1024;
// The title the service is asked to show; it is passed on as it is.
constexpr WorkTitle Title{MediumWork::Collecting, 3};

std::string Contents(const std::string& path) {
    return fs::is_regular_file(Utf8Path(path)) ? ReadTextFile(path) : std::string("<missing>");
}

// Every entry under a folder: files with their contents, links with what they point to, folders.
bool HasTemporaryFiles(const std::string& root) {
    for (auto it = fs::recursive_directory_iterator(Utf8Path(root));
         it != fs::recursive_directory_iterator(); ++it) {
        if (IsPartialFileName(Utf8Text(it->path().filename())))
            return true;
    }
    return false;
}

#ifndef _WIN32
ino_t InodeOf(const std::string& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_ino;
}
#endif

// A file of the given length with varying bytes, so a misplaced block shows.
std::string PatternFile(const TempFolder& folder, const std::string& name, std::uint64_t length) {
    std::string bytes(length, '\0');
    for (std::uint64_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>('a' + (i * 7 + i / 4096) % 26);
    return folder.Write(name, bytes);
}

class FileOperationsTest : public ::testing::Test {
protected:
    FileOperationsTest() : Operations(Prompter, Progress) {
        Source = Folder.MakeFolder("src");
        Destination = Folder.MakeFolder("dst");
    }

    // True unless the user cancelled.
    bool Copy(const std::vector<std::string>& sources, const std::string& destination = "") {
        return !Operations
                    .Run(FileOperationKind::Copy, Sources(sources),
                         destination.empty() ? Destination : destination, Title, {})
                    .Cancelled;
    }
    bool Move(const std::vector<std::string>& sources, const std::string& destination = "") {
        return !Operations
                    .Run(FileOperationKind::Move, Sources(sources),
                         destination.empty() ? Destination : destination, Title, {})
                    .Cancelled;
    }
    static std::vector<FileOperationSource> Sources(const std::vector<std::string>& paths) {
        std::vector<FileOperationSource> sources;
        for (const std::string& path : paths)
            sources.push_back({path, false});
        return sources;
    }

    // The one question asked must be an error report naming the path and the reason: the
    // system's words, or a reason of the operation's own.
    void ExpectErrorAbout(std::size_t question, const std::string& path,
                          const std::string& systemReason) {
        ExpectErrorAbout(question, path, Failure{FailureReason::System, systemReason});
    }
    void ExpectErrorAbout(std::size_t question, const std::string& path, FailureReason reason) {
        ExpectErrorAbout(question, path, Failure{reason, {}});
    }
    void ExpectErrorAbout(std::size_t question, const std::string& path, const Failure& reason) {
        ASSERT_LT(question, Prompter.Asked.size());
        const auto& asked = Prompter.Asked[question];
        EXPECT_TRUE(asked.Kind == QuestionKind::CopyFailed ||
                    asked.Kind == QuestionKind::MoveFailed ||
                    asked.Kind == QuestionKind::CopyOutOfSpace ||
                    asked.Kind == QuestionKind::MoveOutOfSpace);
        EXPECT_EQ(asked.Path, path);
        EXPECT_EQ(asked.Reason.Why, reason.Why);
        EXPECT_EQ(asked.Reason.SystemText, reason.SystemText);
        EXPECT_EQ(asked.Answers, (std::vector<Answer>{Answer::Yes, Answer::Cancel}));
    }

    TempFolder Folder;
    std::string Source;
    std::string Destination;
    ScriptedPrompter Prompter;
    RecordingProgress Progress;
    SystemFileOperations Operations;
};

TEST_F(FileOperationsTest, CopiesFilesAndWholeTreesKeepingLinksAsLinks) {
    Folder.Write("src/a.txt", "alpha");
    Folder.Write("src/Папка с пробелами/b.txt", "beta");
    Folder.Write("src/Папка с пробелами/sub/c.txt", "gamma");
    Folder.Write("src/Папка с пробелами/.hidden", "h");
    MAKE_LINK_OR_SKIP("b.txt", Folder / "src/Папка с пробелами/link");
    MAKE_LINK_OR_SKIP("/nowhere/at/all", Folder / "src/Папка с пробелами/dangling");
    const auto before = TreeOf(Source);
    Operations.SetTreeRule(TreeRule{.CountHidden = true});  // the whole tree

    EXPECT_TRUE(Copy({Folder / "src/a.txt", Folder / "src/Папка с пробелами/"}));

    EXPECT_EQ(TreeOf(Destination), before);
    EXPECT_EQ(TreeOf(Source), before);
    EXPECT_TRUE(Prompter.Asked.empty());
    EXPECT_EQ(Progress.Title, Title);
    // The files and the links themselves, as the items' sizes count them.
    EXPECT_EQ(Progress.TotalBytes, 5U + 4U + 5U + 1U + 5U + 15U);
    EXPECT_EQ(Progress.LastBytes, Progress.TotalBytes);
    EXPECT_FALSE(Progress.WentBackwards);
    EXPECT_EQ(Progress.FinishCount, 1);
}

// Would catch a checksum of other bytes than those copied, a file left out, or checksums
// recorded when nobody asked: each file copied gets the SHA-256 of its bytes, only when asked.
TEST_F(FileOperationsTest, RecordsTheChecksumOfEveryFileCopiedWhenAsked) {
    const std::string file = Folder.Write("src/abc", "abc");
    Folder.Write("src/tree/inner/empty", "");
    for (const bool asked : {false, true}) {
        Operations.RecordChecksums(asked);
        ASSERT_TRUE(Copy({file, Source + "/tree"}, Folder.MakeFolder(asked ? "on" : "off")));
        const std::vector<FileChecksum> sums = Operations.TakeChecksums();
        if (!asked) {
            EXPECT_TRUE(sums.empty());
            continue;
        }
        ASSERT_EQ(sums.size(), 2U);
        EXPECT_EQ(sums[0].Path, Folder / "on/abc");
        EXPECT_EQ(sums[0].Sha256,
                  "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
        EXPECT_EQ(sums[1].Path, Folder / "on/tree/inner/empty");
        EXPECT_EQ(sums[1].Sha256,
                  "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    }
}

TEST_F(FileOperationsTest, CopyKeepsModeAndModificationTime) {
    const std::string file = Folder.Write("src/run.sh", "#!/bin/sh\n");
#ifndef _WIN32  // mode bits
    fs::permissions(file, fs::perms(0750));
#endif
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(50));
    // As the file system keeps it, which may be coarser than the clock.
    const auto stamp = fs::last_write_time(file);

    ASSERT_TRUE(Copy({file}));
#ifndef _WIN32
    EXPECT_EQ(fs::status(Folder / "dst/run.sh").permissions(), fs::perms(0750));
#endif
    EXPECT_EQ(fs::last_write_time(Folder / "dst/run.sh"), stamp);
}

// A link the user chose was moved as the link: the medium held a dangling link while the division
// had counted the target's bytes.
TEST_F(FileOperationsTest, ASourceLinkStandsForItsTargetWhetherCopiedOrMoved) {
    Folder.Write("elsewhere/data.txt", "data");
    Folder.Write("elsewhere/album/song.mp3", "song");
    for (const bool move : {false, true}) {
        for (const char* pointsTo : {"data.txt", "album"}) {
            SCOPED_TRACE(std::string(move ? "move " : "copy ") + pointsTo);
            MAKE_LINK_OR_SKIP(Folder / ("elsewhere/" + std::string(pointsTo)),
                              Folder / "src/shortcut");
            const std::string medium =
                Folder.MakeFolder(std::string("medium ") + (move ? "m " : "c ") + pointsTo);
            ASSERT_TRUE(move ? Move({Folder / "src/shortcut"}, medium)
                             : Copy({Folder / "src/shortcut"}, medium));
            EXPECT_FALSE(fs::is_symlink(medium + "/shortcut"));
            const std::map<std::string, std::string> expected =
                pointsTo == std::string("album")
                    ? std::map<std::string, std::string>{{"shortcut", "<dir>"},
                                                         {"shortcut/song.mp3", "song"}}
                    : std::map<std::string, std::string>{{"shortcut", "data"}};
            EXPECT_EQ(TreeOf(medium), expected);
            EXPECT_EQ(fs::exists(fs::symlink_status(Folder / "src/shortcut")), !move);
            fs::remove(Folder / "src/shortcut");
        }
    }
    EXPECT_EQ(Contents(Folder / "elsewhere/data.txt"), "data");
    EXPECT_EQ(Contents(Folder / "elsewhere/album/song.mp3"), "song");

    // A link found inside a folder was measured as the link and is copied as the link.
    MAKE_LINK_OR_SKIP(Folder / "elsewhere/data.txt", Folder / "src/entry");
    const std::string third = Folder.MakeFolder("dst3");
    ASSERT_TRUE(
        Operations.Run(FileOperationKind::Copy, {{Folder / "src/entry", true}}, third, Title, {})
            .Done());
    EXPECT_TRUE(fs::is_symlink(third + "/entry"));
    EXPECT_EQ(fs::read_symlink(third + "/entry"), Folder / "elsewhere/data.txt");
}

#ifndef _WIN32  // the file numbers of a POSIX file system
TEST_F(FileOperationsTest, MoveWithinOneFileSystemRenames) {
    Folder.Write("src/a.txt", "alpha");
    Folder.Write("src/tree/b.txt", "beta");
    const ino_t fileInode = InodeOf(Folder / "src/a.txt");
    const ino_t treeInode = InodeOf(Folder / "src/tree");

    ASSERT_TRUE(Move({Folder / "src/a.txt", Folder / "src/tree"}));

    EXPECT_EQ(InodeOf(Folder / "dst/a.txt"), fileInode);
    EXPECT_EQ(InodeOf(Folder / "dst/tree"), treeInode);
    EXPECT_EQ(Contents(Folder / "dst/tree/b.txt"), "beta");
    EXPECT_TRUE(fs::is_empty(Source));
    EXPECT_EQ(Progress.LastBytes, 9U);
}
#endif

TEST_F(FileOperationsTest, MoveIntoAnExistingFolderMergesAndRemovesTheEmptiedSource) {
    Folder.Write("src/tree/new.txt", "new");
    Folder.Write("src/tree/sub/deep.txt", "deep");
    Folder.Write("dst/tree/kept.txt", "kept");

    ASSERT_TRUE(Move({Folder / "src/tree"}));

    EXPECT_EQ(
        TreeOf(Folder / "dst/tree"),
        (std::map<std::string, std::string>{
            {"kept.txt", "kept"}, {"new.txt", "new"}, {"sub", "<dir>"}, {"sub/deep.txt", "deep"}}));
    EXPECT_FALSE(fs::exists(Folder / "src/tree"));
}

// A move between file systems: for real onto a small tmpfs where the test may mount one, and
// always through renames that answer EXDEV.
void ExpectMovedAcross(const std::string& destination,
                       const std::map<std::string, std::string>& before,
                       const std::string& source) {
    EXPECT_EQ(TreeOf(destination), before);
    EXPECT_TRUE(fs::is_empty(source));
    EXPECT_FALSE(HasTemporaryFiles(destination));
}

#ifndef _WIN32  // faults injected into the POSIX service
TEST_F(FileOperationsTest, MoveAcrossFileSystemsCopiesThenRemovesTheSource) {
    Folder.Write("src/a.txt", "alpha");
    Folder.Write("src/tree/b.txt", "beta");
    fs::create_symlink("b.txt", Folder / "src/tree/link");
    const auto before = TreeOf(Source);

    FileOperationFaults faults;
    faults.BeforeRename = [](const std::string& from, const std::string&) {
        return from.find("/src/") != std::string::npos ? EXDEV : 0;
    };
    Operations.InjectFaults(faults);
    const ino_t fileInode = InodeOf(Folder / "src/a.txt");
    ASSERT_TRUE(Move({Folder / "src/a.txt", Folder / "src/tree"}));
    EXPECT_NE(InodeOf(Folder / "dst/a.txt"), fileInode) << "copied, not renamed";
    ExpectMovedAcross(Destination, before, Source);
    EXPECT_TRUE(fs::is_symlink(Folder / "dst/tree/link"));
}
#endif

TEST_F(FileOperationsTest, MoveOntoAnotherMountedFileSystem) {
    ScratchMount mount(Folder / "mnt", "8m");
    if (!mount.Mounted())
        GTEST_SKIP() << "cannot mount a second file system here";
    Folder.Write("src/a.txt", "alpha");
    PatternFile(Folder, "src/tree/big.bin", 3 * MiB);
    const auto before = TreeOf(Source);

    ASSERT_TRUE(Move({Folder / "src/a.txt", Folder / "src/tree"}, Folder / "mnt"));
    ExpectMovedAcross(Folder / "mnt", before, Source);
}

struct ClashCase {
    const char* Name;
    std::vector<Answer> Answers;
    bool Result;
    std::vector<std::string> Expected;  // final contents of a, b, c in the destination
};

class FileOperationsClash : public FileOperationsTest,
                            public ::testing::WithParamInterface<std::tuple<ClashCase, bool>> {};

TEST_P(FileOperationsClash, AnswersDecideEachFile) {
    const auto& [c, move] = GetParam();
    for (const char* name : {"a", "b", "c"}) {
        Folder.Write(std::string("src/") + name, std::string("new ") + name);
        Folder.Write(std::string("dst/") + name, std::string("old ") + name);
    }
    for (const auto answer : c.Answers)
        Prompter.Reply(answer);

    const std::vector<std::string> sources{Folder / "src/a", Folder / "src/b", Folder / "src/c"};
    EXPECT_EQ(move ? Move(sources) : Copy(sources), c.Result);

    EXPECT_TRUE(Prompter.ScriptUsed());
    ASSERT_EQ(Prompter.Asked.size(), c.Answers.size());
    const auto& first = Prompter.Asked[0];
    EXPECT_EQ(first.Kind, QuestionKind::NameClash);
    EXPECT_EQ(first.Path, Folder / "dst/a");
    EXPECT_EQ(first.Other, Folder / "src/a");
    EXPECT_EQ(first.Answers, (std::vector<Answer>{Answer::Yes, Answer::No, Answer::Cancel,
                                                  Answer::NoToAll, Answer::YesToAll}));
    EXPECT_EQ(first.Default, Answer::No);

    const char* names[] = {"a", "b", "c"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        const std::string expected = c.Expected[static_cast<std::size_t>(i)];
        EXPECT_EQ(Contents(Folder / "dst/" + names[i]), expected + " " + names[i]);
        // A moved file leaves its place; one that was skipped stays where it was.
        EXPECT_EQ(fs::exists(Folder / "src/" + names[i]), !move || expected == "old");
    }
    EXPECT_FALSE(HasTemporaryFiles(Destination));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FileOperationsClash,
    ::testing::Combine(
        ::testing::Values(
            ClashCase{"ReplaceEach",
                      {Answer::Yes, Answer::Yes, Answer::Yes},
                      true,
                      {"new", "new", "new"}},
            ClashCase{"SkipAndReplace",
                      {Answer::No, Answer::Yes, Answer::No},
                      true,
                      {"old", "new", "old"}},
            ClashCase{"ReplaceAll", {Answer::YesToAll}, true, {"new", "new", "new"}},
            ClashCase{"SkipAll", {Answer::NoToAll}, true, {"old", "old", "old"}},
            ClashCase{
                "SkipThenReplaceAll", {Answer::No, Answer::YesToAll}, true, {"old", "new", "new"}},
            ClashCase{"Cancel", {Answer::Yes, Answer::Cancel}, false, {"new", "old", "old"}}),
        ::testing::Bool()),
    [](const auto& param) {
        return std::string(std::get<0>(param.param).Name) +
               (std::get<1>(param.param) ? "Move" : "Copy");
    });

#ifndef _WIN32  // faults injected into the POSIX service
TEST_F(FileOperationsTest, AFailedReplacementLeavesTheOldFileWhole) {
    // Larger than one copy step, so the write fails in the middle of the file.
    const std::string big = PatternFile(Folder, "src/big.bin", 17 * MiB);
    Folder.Write("dst/big.bin", "old contents");
    FileOperationFaults faults;
    faults.BeforeWrite = [](const std::string&, std::uint64_t offset) {
        return offset > 0 ? ENOSPC : 0;
    };
    Operations.InjectFaults(faults);
    Prompter.Reply(Answer::Yes);  // replace
    Prompter.Reply(Answer::Yes);  // skip after the error

    EXPECT_TRUE(Copy({big}));
    ExpectErrorAbout(1, big, std::error_code(ENOSPC, std::system_category()).message());
    EXPECT_EQ(Contents(Folder / "dst/big.bin"), "old contents");
    EXPECT_FALSE(HasTemporaryFiles(Destination));
    EXPECT_EQ(fs::file_size(big), 17 * MiB);
}
#endif

#ifndef _WIN32  // faults injected into the POSIX service
TEST_F(FileOperationsTest, AFailedNewFileLeavesNoFileUnderItsName) {
    // Larger than one copy step, so the write fails in the middle of the file.
    const std::string big = PatternFile(Folder, "src/big.bin", 17 * MiB);
    const std::string later = Folder.Write("src/later.txt", "later");
    const std::string full = std::error_code(ENOSPC, std::system_category()).message();

    for (const bool move : {false, true}) {
        SCOPED_TRACE(move ? "move across file systems" : "copy");
        FileOperationFaults faults;
        faults.BeforeWrite = [](const std::string& target, std::uint64_t offset) {
            return offset > 0 && target.find("big.bin") != std::string::npos ? ENOSPC : 0;
        };
        faults.BeforeRename = [](const std::string& from, const std::string&) {
            return from.find("/src/") != std::string::npos ? EXDEV : 0;
        };
        Operations.InjectFaults(faults);
        Prompter.Asked.clear();
        Prompter.Reply(Answer::Yes);  // skip after the error

        EXPECT_TRUE(move ? Move({big, later}) : Copy({big, later}));
        ExpectErrorAbout(0, big, full);
        EXPECT_FALSE(fs::exists(Folder / "dst/big.bin"));
        EXPECT_FALSE(HasTemporaryFiles(Destination));
        EXPECT_EQ(fs::file_size(big), 17 * MiB);
        EXPECT_EQ(Contents(Folder / "dst/later.txt"), "later");
        EXPECT_EQ(fs::exists(later), !move);
        fs::remove(Folder / "dst/later.txt");
    }
}
#endif

#ifndef _WIN32  // faults injected into the POSIX service
// A new file was written under its final name, so a crash left a cut file there.
TEST_F(FileOperationsTest, EveryFileTakesItsNameOnlyWhenWhole) {
    const std::string fresh = Folder.Write("src/fresh.txt", "fresh");
    const std::string replacing = Folder.Write("src/old.txt", "new contents");
    Folder.Write("dst/old.txt", "old contents");
    std::vector<std::string> renamedTo;
    std::vector<std::string> seenWhileWriting;
    FileOperationFaults faults;
    faults.BeforeRename = [&](const std::string& from, const std::string& to) {
        EXPECT_TRUE(IsPartialFileName(fs::path(from).filename().string())) << from;
        renamedTo.push_back(to);
        return 0;
    };
    faults.BeforeWrite = [&](const std::string& target, std::uint64_t) {
        seenWhileWriting.push_back(Contents(target));
        return 0;
    };
    Operations.InjectFaults(faults);
    Prompter.Reply(Answer::Yes);  // replace

    EXPECT_TRUE(Copy({fresh, replacing}));
    EXPECT_EQ(Contents(Folder / "dst/fresh.txt"), "fresh");
    EXPECT_EQ(Contents(Folder / "dst/old.txt"), "new contents");
    // Neither name held anything new until the whole copy took it.
    EXPECT_EQ(renamedTo,
              (std::vector<std::string>{Folder / "dst/fresh.txt", Folder / "dst/old.txt"}));
    ASSERT_FALSE(seenWhileWriting.empty());
    EXPECT_EQ(seenWhileWriting.front(), "<missing>");
    EXPECT_EQ(seenWhileWriting.back(), "old contents");
    EXPECT_FALSE(HasTemporaryFiles(Destination));
}
#endif

#ifndef _WIN32  // faults injected into the POSIX service
TEST_F(FileOperationsTest, CancelMidFileRemovesThePartialCopyAndStops) {
    const std::string big = PatternFile(Folder, "src/big.bin", 17 * MiB);
    const std::string later = Folder.Write("src/later.txt", "later");
    Progress.CancelAtBytes = 1;

    for (const bool move : {false, true}) {
        SCOPED_TRACE(move ? "move across file systems" : "copy");
        FileOperationFaults faults;
        faults.BeforeRename = [](const std::string& from, const std::string&) {
            return from.find("/src/") != std::string::npos ? EXDEV : 0;
        };
        Operations.InjectFaults(faults);
        Progress.LastBytes = 0;
        EXPECT_FALSE(move ? Move({big, later}) : Copy({big, later}));
        EXPECT_TRUE(fs::is_empty(Destination));
        EXPECT_EQ(fs::file_size(big), 17 * MiB);
        EXPECT_TRUE(fs::exists(later));
    }
    EXPECT_TRUE(Prompter.Asked.empty());
}
#endif

TEST_F(FileOperationsTest, AFolderIsNeverCopiedOrMovedIntoItself) {
    Folder.Write("src/tree/sub/x.txt", "x");
    const auto before = TreeOf(Source);
    for (const bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "copy");
        Prompter.Asked.clear();
        Prompter.Reply(Answer::Cancel);
        const std::vector<std::string> sources{Folder / "src/tree"};
        EXPECT_FALSE(move ? Move(sources, Folder / "src/tree/sub")
                          : Copy(sources, Folder / "src/tree/sub"));
        ExpectErrorAbout(0, Folder / "src/tree", FailureReason::FolderIntoItself);
        EXPECT_EQ(TreeOf(Source), before);
    }
}

TEST_F(FileOperationsTest, AnEntryOntoItselfIsReportedNotTouched) {
    const std::string file = Folder.Write("src/a.txt", "alpha");
    Prompter.Reply(Answer::Yes);
    Prompter.Reply(Answer::Yes);
    EXPECT_TRUE(Copy({file}, Source));
    EXPECT_TRUE(Move({file}, Source));
    ExpectErrorAbout(0, file, FailureReason::SameFile);
    ExpectErrorAbout(1, file, FailureReason::SameFile);
    EXPECT_EQ(Contents(file), "alpha");
}

TEST_F(FileOperationsTest, AMissingSourceIsReportedAndTheRestGoesOn) {
    const std::string gone = Folder / "src/gone.txt";
    const std::string present = Folder.Write("src/present.txt", "here");
    Prompter.Reply(Answer::Yes);
    const FileOperationResult result =
        Operations.Run(FileOperationKind::Copy, Sources({gone, present}), Destination, Title, {});
    EXPECT_FALSE(result.Cancelled);
    EXPECT_EQ(result.Failed, 1U) << "a skipped error is still a failure";
#ifdef _WIN32
    ExpectErrorAbout(0, gone, SystemMessage(ERROR_FILE_NOT_FOUND));
#else
    ExpectErrorAbout(0, gone, std::error_code(ENOENT, std::system_category()).message());
#endif
    EXPECT_EQ(Contents(Folder / "dst/present.txt"), "here");
}

TEST_F(FileOperationsTest, ADestinationWithoutWritePermissionLosesNothing) {
    const std::string a = Folder.Write("src/a.txt", "alpha");
    const std::string b = Folder.Write("src/b.txt", "beta");
    ScratchMount mount(Folder / "ro", "1m");
    const int refusal = mount.MakeReadOnly();
    if (refusal == 0)
        GTEST_SKIP() << "root without a way to make a read-only folder";
    const std::string target = Folder / "ro";
    const std::string reason = std::error_code(refusal, std::system_category()).message();

    for (const bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "copy");
        Prompter.Asked.clear();
        Prompter.Reply(Answer::Yes);     // skip a
        Prompter.Reply(Answer::Cancel);  // cancel at b
        EXPECT_FALSE(move ? Move({a, b}, target) : Copy({a, b}, target));
        ExpectErrorAbout(0, a, reason);
        ExpectErrorAbout(1, b, reason);
        EXPECT_EQ(Contents(a), "alpha");
        EXPECT_EQ(Contents(b), "beta");
    }
}

TEST_F(FileOperationsTest, AFullFileSystemLosesNothing) {
    ScratchMount mount(Folder / "small", "1m");
    if (!mount.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    const std::string big = PatternFile(Folder, "src/big.bin", 3 * MiB);
    const std::string small = Folder.Write("src/small.txt", "small");
    const std::string full = std::error_code(ENOSPC, std::system_category()).message();

    for (const bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "copy");
        Prompter.Asked.clear();
        Prompter.Reply(Answer::Yes);  // skip the big file
        EXPECT_TRUE(move ? Move({big, small}, Folder / "small")
                         : Copy({big, small}, Folder / "small"));
        ExpectErrorAbout(0, big, full);
        EXPECT_EQ(fs::file_size(big), 3 * MiB);
        EXPECT_FALSE(fs::exists(Folder / "small/big.bin"));
        EXPECT_FALSE(HasTemporaryFiles(Folder / "small"));
        EXPECT_EQ(Contents(Folder / "small/small.txt"), "small");
        fs::remove(Folder / "small/small.txt");
        EXPECT_EQ(fs::exists(small), !move);
    }
}

}  // namespace

namespace {

TEST_F(FileOperationsTest, WhatThisRunPlacedIsNeverReplacedBySourcesOfTheSameName) {
    const FailureReason reason = FailureReason::PlacedByThisOperation;
    const struct {
        const char* Name;
        const char* Item;    // each of x/ and y/ holds it
        const char* Placed;  // where x's file lands, relative to the destination
    } layouts[] = {
        {"files", "song.mp3", "song.mp3"},
        {"folders", "album/song.mp3", "album/song.mp3"},
    };
    for (const auto& layout : layouts) {
        for (const bool move : {false, true}) {
            SCOPED_TRACE(std::string(layout.Name) + (move ? " moved" : " copied"));
            TempFolder run;
            const std::string x = run.Write(std::string("x/") + layout.Item, "from x");
            const std::string y = run.Write(std::string("y/") + layout.Item, "from y");
            const std::string top = layout.Item == std::string("song.mp3") ? "song.mp3" : "album";
            const std::string destination = run.MakeFolder("medium");
            Prompter.Asked.clear();
            Prompter.Reply(Answer::Yes);  // the report: skip and go on

            const std::vector<std::string> sources{run / ("x/" + top), run / ("y/" + top)};
            EXPECT_TRUE(move ? Move(sources, destination) : Copy(sources, destination));

            EXPECT_EQ(Contents(run / (std::string("medium/") + layout.Placed)), "from x");
            EXPECT_EQ(Contents(y), "from y");
            EXPECT_EQ(fs::exists(x), !move);
            ExpectErrorAbout(0, y, reason);
            EXPECT_EQ(Prompter.Asked.size(), 1U);
        }
    }
}

#ifndef _WIN32  // faults injected into the POSIX service
// A medium folder made for a move was not on the disk before the sources went.
TEST_F(FileOperationsTest, AMoveAcrossFileSystemsSyncsTheFolderBeforeTheSourceGoes) {
    const struct {
        int SyncError;
        bool FolderMade;  // the destination folder is made by the move
    } cases[] = {{0, false}, {EIO, false}, {0, true}};
    for (const auto& c : cases) {
        const int syncError = c.SyncError;
        SCOPED_TRACE(std::to_string(syncError) + (c.FolderMade ? " folder made" : ""));
        TempFolder run;
        const std::string source = run.Write("src/a.txt", "alpha");
        const std::string destination = c.FolderMade ? run / "dst" : run.MakeFolder("dst");
        std::vector<std::string> synced;
        FileOperationFaults faults;
        faults.BeforeRename = [](const std::string& from, const std::string&) {
            return from.find("/src/") != std::string::npos ? EXDEV : 0;
        };
        faults.BeforeFolderSync = [&](const std::string& folder) {
            synced.push_back(folder + (fs::exists(source) ? " before" : " after"));
            return syncError;
        };
        Operations.InjectFaults(faults);
        Prompter.Asked.clear();
        if (syncError != 0)
            Prompter.Reply(Answer::Yes);

        EXPECT_TRUE(Move({source}, destination));
        std::vector<std::string> expected{destination + " before"};
        if (c.FolderMade)
            expected.insert(expected.begin(), run.Root + " before");
        EXPECT_EQ(synced, expected);
        EXPECT_EQ(Contents(run / "dst/a.txt"), "alpha");
        EXPECT_EQ(fs::exists(source), syncError != 0) << "the source goes only after the sync";
        if (syncError != 0)
            ExpectErrorAbout(0, source, std::error_code(EIO, std::system_category()).message());
    }
}
#endif

TEST_F(FileOperationsTest, AFolderThatCannotBeMadeIsReportedOnceWithItsCause) {
    SKIP_ON_WINDOWS("permission bits");
    const OrdinaryUser user;
    fs::permissions(Folder.Root, fs::perms(0755));
    const std::string a = Folder.Write("src/a.txt", "alpha");
    const std::string b = Folder.Write("src/b.txt", "beta");
    Folder.Write("plain", "a file where the base folder should be");
    Folder.MakeFolder("locked");
    fs::permissions(Folder / "locked", fs::perms(0555));
    const struct {
        const char* Base;
        int Error;
    } cases[] = {
        {"locked", EACCES},
        {"plain", ENOTDIR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Base);
        const std::string medium = Folder / (std::string(c.Base) + "/disk1");
        const std::string expected = std::error_code(c.Error, std::system_category()).message();
        const int failed = user.Run([&] {
            ScriptedPrompter prompter;
            prompter.Reply(Answer::Ok);
            RecordingProgress progress;
            SystemFileOperations operations(prompter, progress);
            const FileOperationResult result = operations.Run(
                FileOperationKind::Copy, {{a, false}, {b, false}}, medium + "/", Title, {});
            if (result.Cancelled || !result.DestinationFailed)
                return 1;
            if (prompter.Asked.size() != 1 ||
                prompter.Asked[0].Kind != QuestionKind::FolderNotCreated ||
                prompter.Asked[0].Path != medium || prompter.Asked[0].Reason.SystemText != expected)
                return 2;
            return 0;
        });
        EXPECT_EQ(failed, 0);
        EXPECT_EQ(Contents(a), "alpha");
        EXPECT_FALSE(fs::exists(medium));
    }
}

}  // namespace

namespace {

#ifndef _WIN32  // a forked process (Windows: win32/WholeFileCopyTest)
// A copy killed mid-file (a crash, a logout) left a cut file under the final name, which a rerun
// then offered to keep as the user's own.
TEST_F(FileOperationsTest, ACopyKilledMidFileLeavesNothingUnderTheFinalName) {
    const std::string big = PatternFile(Folder, "src/big.bin", 17 * MiB);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FileOperationFaults faults;
        faults.BeforeWrite = [&](const std::string&, std::uint64_t offset) {
            if (offset > 0) {
                const char signal = 'x';
                if (::write(ready[1], &signal, 1) == 1)
                    ::pause();
                ::_exit(1);
            }
            return 0;
        };
        Operations.InjectFaults(faults);
        Copy({big});
        ::_exit(0);
    }
    ::close(ready[1]);
    char signal = 0;
    EXPECT_EQ(::read(ready[0], &signal, 1), 1);
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    EXPECT_FALSE(fs::exists(Folder / "dst/big.bin"));
    EXPECT_TRUE(HasTemporaryFiles(Destination)) << "the leftover carries the program's prefix";
    EXPECT_TRUE(Copy({big}));
    EXPECT_TRUE(Prompter.Asked.empty()) << "the leftover is no clash";
    EXPECT_EQ(fs::file_size(Folder / "dst/big.bin"), 17 * MiB);
    EXPECT_FALSE(HasTemporaryFiles(Destination)) << "the rerun removed the leftover";
}
#endif

#ifndef _WIN32  // faults injected into the POSIX service
// A folder item whose copy failed left an empty folder under its final name.
TEST_F(FileOperationsTest, AFolderThatReceivedNothingIsRemovedAgain) {
    const std::string tree = Folder.Write("src/tree/a.txt", "alpha");
    for (const bool move : {false, true}) {
        SCOPED_TRACE(move ? "move across file systems" : "copy");
        FileOperationFaults faults;
        faults.BeforeWrite = [](const std::string&, std::uint64_t) { return ENOSPC; };
        faults.BeforeRename = [](const std::string& from, const std::string&) {
            return from.find("/src/") != std::string::npos ? EXDEV : 0;
        };
        Operations.InjectFaults(faults);
        Prompter.Reply(Answer::Yes);  // skip after the error
        EXPECT_TRUE(move ? Move({Folder / "src/tree"}) : Copy({Folder / "src/tree"}));
        EXPECT_TRUE(fs::is_empty(Destination));
        EXPECT_EQ(Contents(tree), "alpha");
    }
}
#endif

}  // namespace
