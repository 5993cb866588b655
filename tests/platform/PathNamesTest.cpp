// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PathNames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Would catch a path written with "/" taken apart wrongly on Windows, which takes "/" as well as
// "\": an item named after its whole path (and so counted on the disc at another length), or a
// name joined after a second delimiter.
TEST(PathNames, EveryDelimiterOfThePlatformSeparates) {
    const struct {
        std::string Path, Last, Parent, Without;
    } cases[] = {
        {"/a/b.txt", "b.txt", "/a", "/a/b.txt"},
        {"/a/b/", "", "/a/b", "/a/b"},
        {"/a", "a", "/", "/a"},
        {"name", "name", ".", "name"},
#ifdef _WIN32
        {"C:\\a/b", "b", "C:\\a", "C:\\a/b"},
        {"C:/a\\b\\", "", "C:/a\\b", "C:/a\\b"},
#endif
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LastComponent(c.Path), c.Last) << c.Path;
        EXPECT_EQ(ParentFolder(c.Path), c.Parent) << c.Path;
        EXPECT_EQ(WithoutTrailingDelimiter(c.Path), c.Without) << c.Path;
    }
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a", "b"), std::string("/a") + PathDelimiter + "b");
}

}  // namespace
