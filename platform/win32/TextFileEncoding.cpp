// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextFileEncoding.h"

#include <windows.h>

#include "platform/win32/AnsiText.h"
#include "platform/win32/WidePath.h"

namespace {

constexpr const char* ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

TextFileBytes EncodeTextFileIn(const std::string& utf8, unsigned codePage) {
    const std::wstring wide = Widen(utf8);
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    // No best fit: "ā" must not quietly become "a".
    BOOL lost = FALSE;
    const int length = ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                             nullptr, 0, nullptr, &lost);
    std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0 && !lost)
        ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(),
                              length, nullptr, &lost);
    // Read back, the bytes must give the very text again.
    bool exact = length > 0 && !lost;
    if (exact) {
        std::wstring back(wide.size() * 2, L'\0');
        const int backLength =
            ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, back.data(),
                                  static_cast<int>(back.size()));
        back.resize(static_cast<std::size_t>(backLength > 0 ? backLength : 0));
        exact = back == wide;
    }
    if (exact)
        return {bytes, false};
    return {ByteOrderMark + utf8, true};
}

TextFileBytes EncodeTextFile(const std::string& utf8) {
    return EncodeTextFileIn(utf8, ::GetACP());
}

std::string DecodeTextFileIn(const std::string& bytes, unsigned codePage) {
    const std::string mark = ByteOrderMark;
    if (bytes.rfind(mark, 0) == 0)
        return bytes.substr(mark.size());
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
    return Narrow(wide);
}

std::string TextFileDecoder::Line(std::string bytes) {
    const bool first = First;
    First = false;
    if (first)
        Unicode = bytes.rfind(ByteOrderMark, 0) == 0;
    if (!Unicode)
        return DecodeTextFileIn(bytes, ::GetACP());
    // Only the first line begins with the mark.
    return first ? bytes.substr(std::string(ByteOrderMark).size()) : bytes;
}
