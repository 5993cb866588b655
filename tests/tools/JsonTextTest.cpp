// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/JsonText.h"

#include <gtest/gtest.h>

namespace {

// Would catch output that is not JSON for names that are not UTF-8 (raw bytes pass no parser),
// or valid UTF-8 and escapes mangled on the way.
TEST(JsonTextTest, InvalidBytesBecomeEscapedSurrogatesAndValidTextStays) {
    const struct {
        std::string_view Text;
        const char* Expected;
    } cases[] = {
        {"plain \"q\" \\ \n\r\t\x01", R"("plain \"q\" \\ \n\r\t\u0001")"},
        {"Папка €𝄞", "\"Папка €𝄞\""},
        {"\xff\xfe", R"("\udcff\udcfe")"},
        {"\xcf\xf0\xe8\xe2\xe5\xf2.txt",
         R"("\udccf\udcf0\udce8\udce2\udce5\udcf2.txt")"},      // CP1251
        {"\xc0\xaf", R"("\udcc0\udcaf")"},                      // an overlong "/"
        {"\xed\xa0\x80", R"("\udced\udca0\udc80")"},            // an encoded surrogate
        {"\xf4\x90\x80\x80", R"("\udcf4\udc90\udc80\udc80")"},  // above U+10FFFF
        {"\xd0", R"("\udcd0")"},                                // cut short at the end
        {"\xd0\x9f\xd0", "\"П\\udcd0\""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(JsonString(test.Text), test.Expected) << test.Expected;
}

}  // namespace
