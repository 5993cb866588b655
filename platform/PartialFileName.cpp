// SPDX-License-Identifier: GPL-3.0-or-later
// The temporary names of files being written, the same on every platform.
#include "platform/AtomicFile.h"
#include "platform/PathNames.h"

std::string PartialFilePattern(const std::string& path) {
    // A name may have at most 255 bytes: the prefix and the random part take 24 of them.
    constexpr std::size_t NameRoom = 200;
    return JoinPath(ParentFolder(path),
                    PartialFilePrefix + LastComponent(path).substr(0, NameRoom) + ".XXXXXX");
}

bool IsPartialFileName(const std::string& name) {
    return name.rfind(PartialFilePrefix, 0) == 0;
}
