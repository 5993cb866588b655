// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The bytes of a text file the program writes (a list, a playlist) from its UTF-8 text. Where the
// platform's own 8-bit code page (Windows: the ANSI code page) holds every character of the text
// exactly, the text in that code page; where it does not, the text is never changed (a "?" in a
// playlist is a broken entry): it goes out as UTF-8 with a byte-order mark instead, and a playlist
// then takes the ".m3u8" extension that tells players so (the reader takes the mark as UTF-8
// under either name). Here the platform's own encoding is UTF-8 itself.
struct TextFileBytes {
    std::string Bytes;
    bool Unicode = false;  // written as UTF-8 with a byte-order mark for want of the code page
};

TextFileBytes EncodeTextFile(const std::string& utf8);

// Reads a text file's lines (a playlist) the way EncodeTextFile writes them, giving their UTF-8
// text. On Windows a byte-order mark at the start of the file says UTF-8, and a file without one
// is in the ANSI code page; here the bytes are UTF-8 already and a byte-order mark is no part of
// the format (it stays in the first line).
class TextFileDecoder {
public:
    // The text of the file's next line, lines given in order from the first.
    std::string Line(std::string bytes);

private:
    bool First = true;
    bool Unicode = false;
};
