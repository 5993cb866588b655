#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileOperation.h"

class Prompter;
class FileOperationProgress;

// Failures a test can make the service meet where the real ones are hard to arrange. Each hook
// returns 0 to let the call go on, or the error number the call should fail with.
struct FileOperationFaults {
    // Before a block is written into the copy of target, at the given offset.
    std::function<int(const std::string& target, std::uint64_t offset)> BeforeWrite;
    // Before a rename from one path to another (EXDEV makes a move copy across file systems).
    std::function<int(const std::string& from, const std::string& to)> BeforeRename;
    // Before a folder is flushed to the disk (a move across file systems, before its source
    // goes).
    std::function<int(const std::string& folder)> BeforeFolderSync;
};

// Copies and moves with the standard library and POSIX calls. Nothing is ever lost:
// - a file whose destination name is free is created under that name exclusively (so it can
//   never be anybody else's file) and removed again when an error or a cancel stops its copy;
// - a file that replaces one already there is copied under a hidden temporary name beside it and
//   takes the destination name by a rename only when it is complete and its size checked, so a
//   replaced file is only replaced by a whole copy;
// - either way a cancel or an error mid-file leaves no partial file behind and the source as it
//   was;
// - a move within one file system is a rename; a move across file systems copies each file,
//   flushes it and the folder holding it to the disk, checks its size, and only then removes
//   the source file;
// - an entry this operation has put in place is never replaced by a later source of the same
//   name: that source stays where it is and the user is told;
// - a destination folder that is missing is created; when it cannot be, the user is told the
//   folder and the reason once;
// - a folder is never copied or moved into itself.
// Links inside folders are copied as links; a link given as a source is copied as what it points
// to (or as the link, when the source says so) and moved as the link itself. Devices, FIFOs and
// sockets inside folders are left out. Name clashes and errors are put to the user through the
// prompter.
class PosixFileOperations : public FileOperationService {
public:
    PosixFileOperations(Prompter& prompter, FileOperationProgress& progress);

    bool Run(FileOperationKind kind, const std::vector<FileOperationSource>& sources,
             const std::string& destinationFolder, const std::string& progressTitle) override;

    void InjectFaults(FileOperationFaults faults) { Faults = std::move(faults); }

private:
    Prompter& Questions;
    FileOperationProgress& Progress;
    FileOperationFaults Faults;
};
