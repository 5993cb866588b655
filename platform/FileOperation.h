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

// The SHA-256 of a file a copy wrote, in lowercase hexadecimal, with the file's path.
struct FileChecksum {
    std::string Path;
    std::string Sha256;
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

    // Asks later copies to record the SHA-256 of every file, computed while the file is copied.
    virtual void RecordChecksums(bool) {}
    // What the last run recorded, in the order the files were copied; empty when not asked.
    virtual std::vector<FileChecksum> TakeChecksums() { return {}; }
};
