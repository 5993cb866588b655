// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/PlaylistFormat.h"

#include "platform/PathNames.h"

bool HasPlaylistExtension(const std::string& path) {
    const auto slash = path.find_last_of(PathDelimiters);
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    const std::string_view extension(path.data() + dot, path.size() - dot);
    const std::string_view wanted = PlaylistExtension;
    if (extension.size() != wanted.size())
        return false;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        char c = extension[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != wanted[i])
            return false;
    }
    return true;
}
