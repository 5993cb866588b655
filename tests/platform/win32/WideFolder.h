// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/AtomicFile.h"
#include "platform/win32/WidePath.h"

// A fresh folder under the system's temporary folder, removed with everything in it at the end;
// made and filled through the wide calls only, so that names of any script and length work.
class WideFolder {
public:
    WideFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH + 1, temp);
        for (unsigned attempt = 0; Root.empty() && attempt < 100; ++attempt) {
            const std::wstring candidate = std::wstring(temp) + L"vantrel-test-" +
                                           std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                           std::to_wstring(::GetTickCount() + attempt);
            if (::CreateDirectoryW(candidate.c_str(), nullptr))
                Root = Narrow(candidate);
        }
        if (Root.empty())
            ADD_FAILURE() << "cannot create a temporary folder";
    }
    ~WideFolder() { Remove(LongPath(Root)); }
    WideFolder(const WideFolder&) = delete;
    WideFolder& operator=(const WideFolder&) = delete;

    // Full path of a name inside the folder.
    std::string operator/(const std::string& name) const { return Root + "\\" + name; }

    // A folder inside this one, made with its parents.
    std::string MakeFolder(const std::string& name) const {
        const std::string path = *this / name;
        for (std::size_t at = Root.size() + 1; at != std::string::npos;) {
            at = path.find('\\', at + 1);
            ::CreateDirectoryW(LongPath(path.substr(0, at)).c_str(), nullptr);
        }
        return path;
    }

    // Writes bytes into a file inside the folder with the given attributes; returns its path.
    std::string Write(const std::string& name, const std::string& bytes,
                      DWORD attributes = FILE_ATTRIBUTE_NORMAL) const {
        const std::string path = *this / name;
        HANDLE file = ::CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, attributes, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
        return path;
    }

    // The names in a folder, hidden ones too, "." and ".." left out, sorted byte-wise and joined
    // by "|".
    static std::string AllNames(const std::string& folder) {
        std::vector<std::string> names;
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((LongPath(folder) + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L"..")
                    names.push_back(Narrow(name));
            } while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        std::sort(names.begin(), names.end());
        std::string joined;
        for (const auto& name : names)
            joined += (joined.empty() ? "" : "|") + name;
        return joined;
    }

    // A whole file's bytes; empty when it cannot be read.
    static std::string Read(const std::string& path) {
        std::string contents;
        bool missing = false;
        ReadWholeFile(path, contents, missing);
        return contents;
    }

    std::string Root;

private:
    static void Remove(const std::wstring& path) {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return;
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            ::DeleteFileW(path.c_str());
            return;
        }
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L"..")
                    Remove(path + L"\\" + name);
            } while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryW(path.c_str());
    }
};
