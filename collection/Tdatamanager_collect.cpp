// SPDX-License-Identifier: GPL-3.0-or-later
// Collecting the items of each medium into a folder of its own.
#include "collection/Tdatamanager.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "collection/ChecksumList.h"
#include "collection/ResultFile.h"
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

TProcessedMedia TDataManager::CollectFiles(int index, const std::string& prefix,
                                           FileOperationKind kind, ChecksumLists checksums) {
    const bool copy = kind == FileOperationKind::Copy;
    const bool listed = copy && checksums == ChecksumLists::Written;
    Host.fileOperations.RecordChecksums(listed);
    Host.fileOperations.SetTreeRule(Tree);
    std::size_t leftInPlace = 0;
    TProcessedMedia processed;
    const auto [first, last] = MediaRange(index);
    const std::string baseFolder = ParentFolder(prefix + "x");
    for (std::size_t i = first; i < last; ++i) {
        const std::string number = std::to_string(i + 1);
        const std::string folder = prefix + number + PathDelimiter;

        std::error_code error;
        bool created = false;
        if (IsFolderWithEntries(folder)) {
            Question notEmpty(QuestionKind::NonEmptyFolder, folder);
            notEmpty.Answers = {Answer::Yes, Answer::No};
            notEmpty.Default = Answer::No;
            if (Host.prompter.Ask(notEmpty) != Answer::Yes) {
                processed.Stopped = true;
                break;
            }
        } else if (std::filesystem::create_directory(Utf8Path(folder), error)) {
            created = true;
            // A move removes sources into the new folder: its name goes to the disk first. A
            // folder that cannot be made is reported by the file operation below.
            if (!copy)
                SyncFolder(baseFolder.c_str());
        }

        std::vector<FileOperationSource> sources;
        sources.reserve(Media[i].size());
        for (const TConstItemPosition& item : Media[i])
            sources.push_back({item->Path, item->LinkItself});
        // The service reports every failure itself.
        const FileOperationResult result =
            Host.fileOperations.Run(kind, sources, folder, WorkTitle{MediumWork::Collecting, i + 1},
                                    FileOperationPart{i - first + 1, last - first});
        leftInPlace += result.LeftInPlace;
        // A folder this run made that received nothing goes again, so a medium stopped or
        // failed before its first file leaves nothing behind.
        const bool removed = created && !result.Done() &&
                             std::filesystem::is_empty(Utf8Path(folder), error) &&
                             std::filesystem::remove(Utf8Path(folder), error);
        bool listWritten = true;
        // A full file system has been told of once, and would refuse the list too.
        if (listed && !result.DestinationFailed && !result.NoSpace && !removed) {
            // The list describes the files in the folder, whatever this run wrote of them.
            const auto text = ChecksumListText(folder, Tree, Host.fileOperations.TakeChecksums());
            const std::string listPath = prefix + number + std::string(ChecksumListExtension);
            listWritten = text ? text->empty() || WriteResultFile(Host.prompter, listPath, *text)
                               : TellResultFileNotWritten(Host.prompter, listPath);
        }
        if (result.Cancelled) {
            // The user stopped the run: the medium counts as stopped, not as failed.
            processed.Stopped = true;
            break;
        }
        if (result.Done() && listWritten) {
            ++processed.Done;
            continue;
        }
        ++processed.Failed;
        // A medium folder the base folder refused ends the run, since every later one would be
        // refused the same way (the user has been told once); so does a list not written.
        if (!listWritten || (result.DestinationFailed && !CanWrite(baseFolder)))
            break;
    }
    Host.fileOperations.RecordChecksums(false);
    // Told once for the whole run, after the last medium.
    if (leftInPlace > 0) {
        Question leftIn(QuestionKind::LeftInPlace);
        leftIn.Number = leftInPlace;
        Host.prompter.Ask(leftIn);
    }
    return processed;
}
