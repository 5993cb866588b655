// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
// Its path is canonical, so paths built from it compare equal to paths the code resolves.
class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrel-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            ADD_FAILURE() << "cannot create a temporary folder";
        Root = std::filesystem::canonical(pattern).string();
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::permissions(Root, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(Root, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Full path of a name inside the folder.
    std::string operator/(const std::string& name) const { return Root + "/" + name; }

    // Writes bytes as they are into a file inside the folder (creating parent folders) and
    // returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = *this / name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    // A file of the given length (sparse where the file system allows).
    std::string MakeFile(const std::string& name, std::uint64_t length) const {
        const std::string path = Write(name, std::string());
        std::filesystem::resize_file(path, length);
        return path;
    }

    std::string MakeFolder(const std::string& name) const {
        const std::string path = *this / name;
        std::filesystem::create_directories(path);
        return path;
    }

    std::string Root;
};
