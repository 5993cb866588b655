// Collecting the items of each medium into a folder of its own.
#include "collection/Tdatamanager.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/AtomicFile.h"
#include "platform/FileOperation.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"

namespace {

// Texts of the collector.
constexpr const char* NotEmptyTextBefore = "Каталог ";
constexpr const char* NotEmptyTextAfter =
    " не пустой.\nДействительно хотите собрать в нём файлы носителя?";
constexpr const char* ProgressTitleBefore = "Носитель №";
constexpr const char* ProgressTitleAfter = " Сбор файлов в один каталог...";
constexpr const char* ChecksumExtension = ".sha256";
constexpr const char* CannotCreateText = "Не могу создать файл\n";
constexpr const char* CannotCreateTail = " !";

// Whether the path is a folder holding any entry at all, hidden ones included.
bool IsFolderWithEntries(const std::string& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return false;
    return std::filesystem::directory_iterator(folder, error) !=
           std::filesystem::directory_iterator();
}

}  // namespace

bool TDataManager::WriteChecksumList(const std::string& path, const std::string& folder,
                                     const std::vector<FileChecksum>& sums) {
    std::string text;
    for (const FileChecksum& sum : sums) {
        std::string name = sum.Path.substr(std::min(folder.size(), sum.Path.size()));
        // A name holding a backslash or a line break is escaped, the line marked with a
        // backslash, as sha256sum writes it.
        bool escaped = false;
        std::string written;
        for (const char c : name) {
            escaped = escaped || c == '\\' || c == '\n';
            written += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : std::string(1, c);
        }
        text += (escaped ? "\\" : "") + sum.Sha256 + "  " + written + "\n";
    }
    std::string reason;
    if (ReplaceFileAtomically(path, text, reason))
        return true;
    Host.prompter.MessageBox(CannotCreateText + path + CannotCreateTail, PromptIcon::Error,
                             {PromptButton::Ok}, PromptButton::Ok);
    return false;
}

std::size_t TDataManager::CollectFiles(int index, const std::string& prefix, bool copy,
                                       bool checksums) {
    const bool listed = copy && checksums;
    Host.fileOperations.RecordChecksums(listed);
    std::size_t collected = 0;
    std::size_t first = 0;
    std::size_t last = Media.size();
    if (index >= 0) {
        // Callers pass a shown medium; any other index has nothing to collect.
        if (static_cast<std::size_t>(index) >= Media.size())
            return 0;
        first = static_cast<std::size_t>(index);
        last = first + 1;
    }
    for (std::size_t i = first; i < last; ++i) {
        const std::string number = std::to_string(i + 1);
        const std::string folder = prefix + number + PathDelimiter;

        std::error_code error;
        if (std::filesystem::exists(folder, error)) {
            if (IsFolderWithEntries(folder)) {
                const PromptButton answer = Host.prompter.MessageBox(
                    NotEmptyTextBefore + folder + NotEmptyTextAfter, PromptIcon::Question,
                    {PromptButton::Yes, PromptButton::No}, PromptButton::No);
                if (answer != PromptButton::Yes)
                    return collected;
            }
        } else {
            // A folder that cannot be made is reported by the file operation below.
            std::filesystem::create_directory(folder, error);
        }

        std::vector<FileOperationSource> sources;
        sources.reserve(Media[i].size());
        for (const TConstItemPosition& item : Media[i])
            sources.push_back({item->Path, item->LinkItself});
        // The outcome is the service's to report; the next medium follows in every case.
        const bool done = Host.fileOperations.Run(
            copy ? FileOperationKind::Copy : FileOperationKind::Move, sources, folder,
            ProgressTitleBefore + number + ProgressTitleAfter);
        if (listed && !WriteChecksumList(prefix + number + ChecksumExtension, folder,
                                         Host.fileOperations.TakeChecksums())) {
            Host.fileOperations.RecordChecksums(false);
            return collected;
        }
        if (done)
            ++collected;
    }
    Host.fileOperations.RecordChecksums(false);
    return collected;
}
