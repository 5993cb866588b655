// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

bool IsHiddenName(const char* name) {
    return name[0] == '.';
}

}  // namespace

std::optional<PathAttributes> ReadPathAttributes(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    PathAttributes attributes;
    attributes.Directory = S_ISDIR(info.st_mode);
    attributes.System = !S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode);
    const std::string name = LastComponent(WithoutTrailingDelimiter(path));
    if (info.st_size >= 0)
        attributes.Length = static_cast<std::uint64_t>(info.st_size);
    attributes.Hidden = !name.empty() && name != "." && name != ".." && IsHiddenName(name.c_str());
    return attributes;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool HasMoreEntriesThan(const std::string& folder, std::size_t count) {
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    for (std::size_t seen = 0; !error && entry != std::filesystem::directory_iterator();
         entry.increment(error))
        if (++seen > count)
            return true;
    return false;
}

bool CanWrite(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

std::optional<std::uint32_t> OwnerOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(info.st_uid);
}

std::uint32_t EffectiveUser() {
    return static_cast<std::uint32_t>(::geteuid());
}

std::string ExecutablePath() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string FullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return path;
    return WithoutTrailingDelimiter(absolute.lexically_normal().string());
}
