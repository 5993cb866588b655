// SPDX-License-Identifier: GPL-3.0-or-later
// Collecting the items of each medium into a folder of its own.
#include "collection/Tdatamanager.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "collection/ResultFile.h"
#include "collection/WorkTitles.h"
#include "platform/AtomicFile.h"
#include "platform/FileDescriptor.h"
#include "platform/FileOperation.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"
#include "platform/Utf8Path.h"

namespace {

// Whether the path is a folder holding any entry at all, hidden ones included; what an unfinished
// copy left behind is no entry of the user's (the next copy into the folder removes it).
bool IsFolderWithEntries(const std::string& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(Utf8Path(folder), error))
        return false;
    for (std::filesystem::directory_iterator entry(Utf8Path(folder), error), end;
         !error && entry != end; entry.increment(error)) {
        if (!IsPartialFileName(Utf8Text(entry->path().filename())))
            return true;
    }
    return false;
}

}  // namespace

bool TDataManager::WriteChecksumList(const std::string& path, const std::string& folder,
                                     const std::vector<FileChecksum>& sums) {
    std::string text;
    for (const FileChecksum& sum : sums) {
        std::string name = sum.Path.substr(std::min(folder.size(), sum.Path.size()));
        // A name holding a backslash, a line feed or a carriage return is escaped, the line
        // marked with a backslash, as sha256sum writes it.
        bool escaped = false;
        std::string written;
        for (const char c : name) {
            const char* escape = c == '\\'   ? "\\\\"
                                 : c == '\n' ? "\\n"
                                 : c == '\r' ? "\\r"
                                             : nullptr;
            escaped = escaped || escape != nullptr;
            written += escape != nullptr ? std::string(escape) : std::string(1, c);
        }
        text += (escaped ? "\\" : "") + sum.Sha256 + "  " + written + "\n";
    }
    return WriteResultFile(Host.prompter, path, text);
}

TProcessedMedia TDataManager::CollectFiles(int index, const std::string& prefix,
                                           FileOperationKind kind, ChecksumLists checksums) {
    const bool copy = kind == FileOperationKind::Copy;
    const bool listed = copy && checksums == ChecksumLists::Written;
    Host.fileOperations.RecordChecksums(listed);
    TProcessedMedia processed;
    const auto [first, last] = MediaRange(index);
    const std::string baseFolder = ParentFolder(prefix + "x");
    for (std::size_t i = first; i < last; ++i) {
        const std::string number = std::to_string(i + 1);
        const std::string folder = prefix + number + PathDelimiter;

        std::error_code error;
        if (IsFolderWithEntries(folder)) {
            Question notEmpty(QuestionKind::NonEmptyFolder, folder);
            notEmpty.Answers = {Answer::Yes, Answer::No};
            notEmpty.Default = Answer::No;
            if (Host.prompter.Ask(notEmpty) != Answer::Yes) {
                processed.Stopped = true;
                break;
            }
        } else if (std::filesystem::create_directory(Utf8Path(folder), error) && !copy) {
            // A move removes sources into the new folder: its name goes to the disk first. A
            // folder that cannot be made is reported by the file operation below.
            SyncFolder(baseFolder.c_str());
        }

        std::vector<FileOperationSource> sources;
        sources.reserve(Media[i].size());
        for (const TConstItemPosition& item : Media[i])
            sources.push_back({item->Path, item->LinkItself});
        // The service reports every failure itself.
        const FileOperationResult result = Host.fileOperations.Run(
            kind, sources, folder, MediumWorkTitle(MediumWork::Collecting, i + 1, Language),
            FileOperationPart{i - first + 1, last - first});
        if (listed && !WriteChecksumList(prefix + number + std::string(ChecksumListExtension),
                                         folder, Host.fileOperations.TakeChecksums())) {
            ++processed.Failed;
            processed.Stopped = true;
            break;
        }
        if (result.Done()) {
            ++processed.Done;
            continue;
        }
        ++processed.Failed;
        // A cancel ends the whole run; so does a medium folder the base folder refused, since
        // every later one would be refused the same way (the user has been told once).
        if (result.Cancelled || (result.DestinationFailed && !CanWrite(baseFolder))) {
            processed.Stopped = true;
            break;
        }
    }
    Host.fileOperations.RecordChecksums(false);
    return processed;
}
