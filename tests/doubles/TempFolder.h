// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

#include "platform/PathNames.h"
#include "platform/Utf8Path.h"

// A path written with "/" as the platform writes it: with its own delimiter ("\" on Windows).
inline std::string NativePath(std::string path) {
    std::replace(path.begin(), path.end(), '/', PathDelimiter);
    return path;
}

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
// Its path is canonical, so paths built from it compare equal to paths the code resolves. Paths
// are UTF-8 text and go to the file system through Utf8Path, so names of any script work on every
// platform. An entry it makes whose name begins with "." is hidden on every platform: on Windows
// it takes the hidden attribute.
class TempFolder {
public:
    TempFolder() {
        namespace fs = std::filesystem;
        std::error_code error;
        const fs::path temp = fs::temp_directory_path(error);
        std::random_device random;
        for (unsigned attempt = 0; Root.empty() && attempt < 100; ++attempt) {
            const fs::path candidate = temp / ("vantrel-test-" + std::to_string(random()));
            if (fs::create_directory(candidate, error))
                Root = Utf8Text(fs::canonical(candidate, error).make_preferred());
        }
        if (Root.empty())
            ADD_FAILURE() << "cannot create a temporary folder";
    }
    ~TempFolder() {
        namespace fs = std::filesystem;
        // Whatever a test made unwritable becomes writable again (on Windows a read-only file
        // cannot be removed); links are left as they are, so nothing outside is touched.
        std::error_code error;
        fs::permissions(Utf8Path(Root), fs::perms::owner_all, fs::perm_options::add, error);
        for (fs::recursive_directory_iterator entry(Utf8Path(Root), error), end;
             !error && entry != end; entry.increment(error)) {
            std::error_code ignored;
            if (!entry->is_symlink(ignored))
                fs::permissions(entry->path(), fs::perms::owner_all, fs::perm_options::add,
                                ignored);
        }
        fs::remove_all(Utf8Path(Root), error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Full path of a name inside the folder ("/" inside the name is the platform's delimiter).
    std::string operator/(const std::string& name) const {
        return Root + PathDelimiter + NativePath(name);
    }

    // Writes bytes as they are into a file inside the folder (creating parent folders) and
    // returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = *this / name;
        std::filesystem::create_directories(Utf8Path(path).parent_path());
        {
            std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        HideDotNames(name);
        return path;
    }

    // A file of the given length (sparse where the file system allows).
    std::string MakeFile(const std::string& name, std::uint64_t length) const {
        const std::string path = Write(name, std::string());
        std::filesystem::resize_file(Utf8Path(path), length);
        return path;
    }

    std::string MakeFolder(const std::string& name) const {
        const std::string path = *this / name;
        std::filesystem::create_directories(Utf8Path(path));
        HideDotNames(name);
        return path;
    }

    std::string Root;

private:
    // Gives every entry along name (a path inside the folder) whose name begins with "." the
    // hidden attribute on Windows, where the name alone hides nothing.
    void HideDotNames([[maybe_unused]] const std::string& name) const {
#ifdef _WIN32
        std::string inside;
        std::size_t start = 0;
        while (start < name.size()) {
            const std::size_t end = std::min(name.find('/', start), name.size());
            const std::string component = name.substr(start, end - start);
            inside += (inside.empty() ? "" : "/") + component;
            if (component.size() > 1 && component[0] == '.' && component != "..") {
                const std::filesystem::path entry = Utf8Path(*this / inside);
                const DWORD attributes = ::GetFileAttributesW(entry.c_str());
                if (attributes != INVALID_FILE_ATTRIBUTES)
                    ::SetFileAttributesW(entry.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
            }
            start = end + 1;
        }
#endif
    }
};
