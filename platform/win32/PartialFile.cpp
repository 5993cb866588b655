// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/PartialFile.h"

#include <random>

#include "platform/AtomicFile.h"
#include "platform/win32/WidePath.h"

HANDLE CreatePartialFile(const std::wstring& target, std::wstring& temp) {
    static constexpr wchar_t Digits[] = L"0123456789abcdefghijklmnopqrstuvwxyz";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> digit(0, 35);
    // The pattern ends in six characters to be chosen.
    std::wstring name = Widen(PartialFilePattern(Narrow(target)));
    const std::size_t suffix = name.size() - 6;
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (std::size_t i = suffix; i < name.size(); ++i)
            name[i] = Digits[digit(random)];
        HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
            temp = name;
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}
