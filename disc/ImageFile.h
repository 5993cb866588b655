// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/Prompter.h"

// The file an image is written into: made under a hidden temporary name beside its final one, it
// takes that name only by Commit, replacing a file there; when the object goes without a
// successful Commit, the temporary file goes with it and a file under the final name stays as it
// was. Its writes go past the system's cache where the platform and the file system allow.
class ImageFile {
public:
    explicit ImageFile(const std::string& imagePath);
    ~ImageFile();
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    // Why the temporary file could not be made; nothing when it is open.
    const std::optional<Failure>& OpenFailure() const { return Problem; }
    // Writes all the bytes; the system's reason when it cannot.
    std::optional<Failure> Write(const unsigned char* bytes, std::size_t size);
    // Puts the contents on the disk and gives the file its final name.
    std::optional<Failure> Commit();

private:
    std::string Final;
    std::string Temporary;
    void* Handle = nullptr;  // the open file, where the system has handles
    int Descriptor = -1;     // where it has descriptors
    bool Committed = false;
    std::optional<Failure> Problem;
};
