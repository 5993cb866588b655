// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/ChecksumList.h"

#include <algorithm>
#include <map>

#include "platform/AtomicFile.h"
#include "platform/FileDigest.h"
#include "platform/PathNames.h"

namespace {

// One line of the list: a name holding a backslash, a line feed or a carriage return is escaped,
// the line marked with a backslash, as sha256sum writes it.
std::string ChecksumLine(const std::string& sum, const std::string& name) {
    bool escaped = false;
    std::string written;
    for (const char c : name) {
        const char* escape = c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : nullptr;
        escaped = escaped || escape != nullptr;
        written += escape != nullptr ? std::string(escape) : std::string(1, c);
    }
    return (escaped ? "\\" : "") + sum + "  " + written + "\n";
}

// Adds the lines of the files below folder, named from relative on.
bool AddLines(const std::string& folder, const std::string& relative, TreeRule rule,
              const std::map<std::string, std::string>& recorded, std::string& text) {
    auto listing = ListTreeFolder(folder, rule);
    if (!listing)
        return false;
    std::sort(listing->Entries.begin(), listing->Entries.end(),
              [](const TreeEntry& left, const TreeEntry& right) { return left.Name < right.Name; });
    for (const TreeEntry& entry : listing->Entries) {
        const std::string path = JoinPath(folder, entry.Name);
        const std::string name = relative + entry.Name;
        if (entry.Kind == TreeEntryKind::Folder) {
            // "/" on every platform: in the list a "\" is an escape, and Windows takes "/" too.
            if (!AddLines(path, name + '/', rule, recorded, text))
                return false;
            continue;
        }
        if (entry.Kind != TreeEntryKind::File || IsPartialFileName(entry.Name))
            continue;
        std::string sum;
        if (const auto found = recorded.find(path); found != recorded.end()) {
            sum = found->second;
        } else if (const auto read = FileSha256(path)) {
            sum = *read;
        } else {
            return false;
        }
        text += ChecksumLine(sum, name);
    }
    return true;
}

}  // namespace

std::optional<std::string> ChecksumListText(const std::string& folder, TreeRule rule,
                                            const std::vector<FileChecksum>& recorded) {
    std::map<std::string, std::string> sums;
    for (const FileChecksum& sum : recorded)
        sums[sum.Path] = sum.Sha256;
    std::string text;
    if (!AddLines(WithoutTrailingDelimiter(folder), std::string(), rule, sums, text))
        return std::nullopt;
    return text;
}
