// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/ImageLimits.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "tests/doubles/TempFolder.h"

namespace {

// An empty file at a path of exactly length bytes below root: folders of 200-byte names, then a
// file of the rest, made relative to its folder (the whole path may be too long to open).
std::string FileAtPathOfLength(const std::string& root, std::size_t length) {
    std::string folder = root;
    while (folder.size() + 1 + 200 + 1 + 1 < length)
        folder += "/" + std::string(200, 'd');
    std::filesystem::create_directories(folder);
    const std::string name(length - folder.size() - 1, 'f');
    const int parent = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int file = ::openat(parent, name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    EXPECT_GE(file, 0);
    ::close(file);
    ::close(parent);
    return folder + "/" + name;
}

// Would catch an entry libisofs fails on (or crashes on) reaching it unchecked, or a harmless
// entry at the edge of a limit refused: each tree holds one entry at or just below a limit.
TEST(ImageLimitsTest, EachLimitIsFoundAtItsEdgeAnywhereInTheTree) {
    std::string many;
    while (many.size() < 1100)
        many += std::string(200, 'y') + "/";
    const struct {
        const char* Case;
        std::string LinkTarget;  // a link item/sub/l to this, or
        std::size_t PathLength;  // a file at a path of this length
        std::optional<ImageLimit> Expected;
    } cases[] = {
        {"name of 255", std::string(255, 'x'), 0, std::nullopt},
        {"name of 256", std::string(256, 'x'), 0, ImageLimit::LinkNameTooLong},
        {"name of 300 in a path", "a/" + std::string(300, 'x') + "/b", 0,
         ImageLimit::LinkNameTooLong},
        {"link of 1023", many.substr(0, 1023), 0, std::nullopt},
        {"link of 1024", many.substr(0, 1024), 0, ImageLimit::LinkTooLong},
        {"path of 4095", "", 4095, std::nullopt},
        {"path of 4096", "", 4096, ImageLimit::PathTooLong},
    };
    for (const auto& test : cases) {
        TempFolder folder;
        const std::string item = folder.MakeFolder("item");
        std::string entry;
        if (test.PathLength == 0) {
            std::filesystem::create_directories(item + "/sub");
            entry = item + "/sub/l";
            ASSERT_EQ(::symlink(test.LinkTarget.c_str(), entry.c_str()), 0) << test.Case;
        } else {
            entry = FileAtPathOfLength(item, test.PathLength);
            ASSERT_EQ(entry.size(), test.PathLength);
        }
        const auto hit = FirstEntryBeyondImageLimits(item, TreeRule{});
        EXPECT_EQ(hit ? std::optional(hit->Limit) : std::nullopt, test.Expected) << test.Case;
        if (hit) {
            EXPECT_EQ(hit->Path, entry) << test.Case;
        }
        // The longest path is too long to remove by its name.
        const std::string parent = std::filesystem::path(entry).parent_path().string();
        const int fd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::unlinkat(fd, std::filesystem::path(entry).filename().c_str(), 0);
        ::close(fd);
    }
}

}  // namespace
