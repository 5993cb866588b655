// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/ImageLimits.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/PathNames.h"
#include "platform/TreeWalker.h"

namespace {

// libisofs's limits: the names a Rock Ridge link record holds, the link targets and the local
// paths it reads.
constexpr std::size_t LinkNameLimit = 255;
constexpr std::size_t LinkLimit = 1024;
constexpr std::size_t PathLimit = 4096;

// What libisofs says of its Rock Ridge layout fault.
constexpr const char* LayoutFaultMark = "tree end address mismatch";

std::optional<ImageLimit> LinkBeyondLimits(const std::string& path, std::uint64_t length) {
    if (length >= LinkLimit)
        return ImageLimit::LinkTooLong;
    std::vector<char> target(static_cast<std::size_t>(length) + 1);
    const ssize_t read = ::readlink(path.c_str(), target.data(), target.size());
    if (read < 0)
        return std::nullopt;
    if (static_cast<std::size_t>(read) >= LinkLimit)
        return ImageLimit::LinkTooLong;
    std::size_t nameLength = 0;
    for (ssize_t i = 0; i < read; ++i) {
        nameLength = target[static_cast<std::size_t>(i)] == '/' ? 0 : nameLength + 1;
        if (nameLength > LinkNameLimit)
            return ImageLimit::LinkNameTooLong;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ImageLimitHit> FirstEntryBeyondImageLimits(const std::string& path, TreeRule rule) {
    if (path.size() >= PathLimit)
        return ImageLimitHit{ImageLimit::PathTooLong, path};
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    if (S_ISLNK(info.st_mode)) {
        if (const auto limit = LinkBeyondLimits(
                path, static_cast<std::uint64_t>(std::max<off_t>(info.st_size, 0))))
            return ImageLimitHit{*limit, path};
        return std::nullopt;
    }
    if (!S_ISDIR(info.st_mode))
        return std::nullopt;
    // The folder is listed whole and closed first, so that a deep tree holds one folder open.
    const auto listing = ListTreeFolder(path, rule);
    if (!listing)
        return std::nullopt;
    for (const TreeEntry& entry : listing->Entries) {
        if (auto hit = FirstEntryBeyondImageLimits(JoinPath(path, entry.Name), rule))
            return hit;
    }
    return std::nullopt;
}

bool IsKnownLayoutFault(const std::string& messages) {
    return messages.find(LayoutFaultMark) != std::string::npos;
}

Failure ImageLimitFailure(const ImageLimitHit& hit) {
    switch (hit.Limit) {
        case ImageLimit::LinkNameTooLong:
            return {FailureReason::ImageLinkNameTooLong, hit.Path};
        case ImageLimit::LinkTooLong:
            return {FailureReason::ImageLinkTooLong, hit.Path};
        case ImageLimit::PathTooLong:
            break;
    }
    return {FailureReason::ImagePathTooLong, hit.Path};
}
