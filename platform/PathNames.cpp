// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PathNames.h"

std::string WithTrailingDelimiter(const std::string& path) {
    if (!path.empty() && IsPathDelimiter(path.back()))
        return path;
    return path + PathDelimiter;
}

std::string WithoutTrailingDelimiter(std::string path) {
    while (path.size() > 1 && IsPathDelimiter(path.back()))
        path.pop_back();
    return path;
}

std::string LastComponent(const std::string& path) {
    const auto slash = path.find_last_of(PathDelimiters);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ParentFolder(const std::string& path) {
    const auto slash = path.find_last_of(PathDelimiters);
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return WithTrailingDelimiter(folder) + name;
}
