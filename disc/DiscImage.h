// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileOperation.h"
#include "platform/TreeWalker.h"

class Prompter;
class FileOperationProgress;

// One ISO 9660 image of a medium, made with libisofs: Joliet and Rock Ridge names, level 3 when
// a file has 4 GiB or more (level 2 otherwise), the session's and every file's MD5 recorded so
// that the image can be verified against itself. The sources lie at the image's root as they
// would in the medium's folder: a folder becomes a folder with the entries of its tree under the
// rule (hidden ones only when counted), links inside folders stay links, devices, FIFOs and
// sockets are left out.

// What became of one image.
struct DiscImageResult {
    enum class Outcome { Written, Cancelled, Failed } State = Outcome::Failed;
    std::uint64_t Size = 0;   // bytes of the image written
    std::size_t LeftOut = 0;  // sources the user chose to leave out of a written image
};

// Writes the image under imagePath. It is made under a temporary name beside it (what an
// interrupted run left there goes first) and takes its name only when complete and on the disk,
// replacing a file of that name; a cancel or a failure leaves nothing behind. A source that cannot
// be added is put to the user (skip it or cancel); a failure while writing (a full disk, an
// unreadable file) is reported through the prompter. Progress shows progressTitle and the bytes
// written out of the image's size.
DiscImageResult WriteDiscImage(const std::vector<FileOperationSource>& sources, TreeRule rule,
                               const std::string& imagePath, const std::string& volumeId,
                               const WorkTitle& progressTitle, Prompter& prompter,
                               FileOperationProgress& progress, FileOperationPart part = {});

// The size of the image WriteDiscImage makes of these sources (the checksums' attributes and
// array included), as libisofs lays it out before writing; nothing when a source cannot be added.
std::optional<std::uint64_t> DiscImageSize(const std::vector<FileOperationSource>& sources,
                                           TreeRule rule);

// The volume name of a medium: the name's letters and digits in capitals, every other character
// an underscore, shortened so that the medium's number always ends it within the 16 characters
// both trees keep ("disk", 3 → "DISK3").
std::string DiscVolumeId(const std::string& mediumName, std::size_t number);
