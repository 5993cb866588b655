// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ChooserStart.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/doubles/TempFolder.h"

namespace {

// A dialog opened inside a folder too large to list answered the user only every few seconds:
// it starts in the nearest folder above that lists quickly, the large one selected there.
TEST(ChooserStart, OpensAboveFoldersTooLargeToList) {
    TempFolder root;
    std::string base = root / "";
    base.pop_back();  // the folder itself, without its delimiter
    for (const char* file :
         {"large/a", "large/b", "large/deeper/c", "large/deeper/d", "large/deeper/e", "small/a"})
        root.Write(file, "");
    struct Case {
        std::string Wanted;
        std::string Folder;
        std::string Selected;
    };
    const std::vector<Case> cases{{base + "/small", base + "/small", ""},
                                  {base + "/large", base, base + "/large"},
                                  {base + "/large/", base, base + "/large"},
                                  {base + "/large/deeper", base, base + "/large"},
                                  {base + "/missing", base + "/missing", ""}};
    for (const Case& tried : cases) {
        const ChooserStart start = ChooserStartFor(tried.Wanted, 2);
        EXPECT_EQ(start.Folder, tried.Folder) << tried.Wanted;
        EXPECT_EQ(start.Selected, tried.Selected) << tried.Wanted;
    }
}

}  // namespace
