// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/ImageLimits.h"

#include <cstdint>
#include <vector>

#include "disc/LocalTree.h"
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
    const std::optional<std::string> target = ReadLocalLink(path);
    if (!target)
        return std::nullopt;
    if (target->size() >= LinkLimit)
        return ImageLimit::LinkTooLong;
    std::size_t nameLength = 0;
    for (const char c : *target) {
        nameLength = c == '/' ? 0 : nameLength + 1;
        if (nameLength > LinkNameLimit)
            return ImageLimit::LinkNameTooLong;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ImageLimitHit> FirstEntryBeyondImageLimits(const std::string& path, TreeRule rule) {
    if (path.size() >= PathLimit)
        return ImageLimitHit{ImageLimit::PathTooLong, path};
    const std::optional<LocalEntry> item = ReadLocalEntry(path);
    if (!item)
        return std::nullopt;
    if (item->Kind == LocalKind::Link) {
        if (const auto limit = LinkBeyondLimits(path, item->Length))
            return ImageLimitHit{*limit, path};
        return std::nullopt;
    }
    if (item->Kind != LocalKind::Folder)
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
