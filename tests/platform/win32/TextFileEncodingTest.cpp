// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextFileEncoding.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/AnsiText.h"

namespace {

// A name changed on its way into the code page ("?" or a best-fit letter), a text the code page
// holds written as UTF-8 anyway, the byte-order mark missing where UTF-8 is chosen, or a file so
// written that does not read back as the very text.
TEST(Win32TextFileEncoding, TheCodePageWhereEveryCharacterRoundTrips) {
    const std::string mark = "\xEF\xBB\xBF";
    const struct {
        const char* Text;
        unsigned CodePage;
        std::string Bytes;
        bool Unicode;
    } cases[] = {
        {"D:\\Music\\Song.mp3\r\n", 1252, "D:\\Music\\Song.mp3\r\n", false},
        {"Café", 1252, "Caf\xE9", false},
        {"C:\\Песня.mp3\r\n", 1251, "C:\\\xCF\xE5\xF1\xED\xFF.mp3\r\n", false},
        {"C:\\Песня.mp3\r\n", 1252, mark + "C:\\Песня.mp3\r\n", true},
        {"Ёлка 日本.mp3", 1251, mark + "Ёлка 日本.mp3", true},
        {"Māori.mp3", 1252, mark + "Māori.mp3", true},  // best fit would write "Maori"
        {"", 1251, "", false},
    };
    for (const auto& entry : cases) {
        const TextFileBytes encoded = EncodeTextFileIn(entry.Text, entry.CodePage);
        EXPECT_EQ(encoded.Bytes, entry.Bytes) << entry.Text << " in " << entry.CodePage;
        EXPECT_EQ(encoded.Unicode, entry.Unicode) << entry.Text << " in " << entry.CodePage;
        EXPECT_EQ(DecodeTextFileIn(encoded.Bytes, entry.CodePage), entry.Text)
            << entry.Text << " read back from " << entry.CodePage;
    }
    // The process's own code page is the ANSI one.
    EXPECT_EQ(EncodeTextFile("Café").Bytes, EncodeTextFileIn("Café", ::GetACP()).Bytes);
}

}  // namespace
