// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

enum class FileOperationKind { Copy, Move };

// One path to copy or move. A link given as a source is copied as what it points to, unless
// LinkItself asks for the link (a link found inside a folder, measured as the link).
struct FileOperationSource {
    std::string Path;
    bool LinkItself = false;
};

// Copies or moves files and whole folder trees into a folder, the way the desktop's file manager
// does: one progress window with a title, a question on every name clash (replace, skip, for
// all, cancel) and a report of every error with the path and the system's reason.
class FileOperationService {
public:
    virtual ~FileOperationService() = default;

    // Returns false when the user cancelled; errors the user skipped do not count.
    virtual bool Run(FileOperationKind kind, const std::vector<FileOperationSource>& sources,
                     const std::string& destinationFolder, const std::string& progressTitle) = 0;
};
