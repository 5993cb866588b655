// SPDX-License-Identifier: GPL-3.0-or-later
// The list writers: a numbered text list or an extended M3U playlist per medium.
#include "collection/Tdatamanager.h"

#include <string>
#include <string_view>

#include "collection/ResultFile.h"
#include "items/PlaylistFormat.h"
#include "platform/Prompter.h"
#include "platform/TextFileEncoding.h"

namespace {

// Texts of the list writers.
constexpr const char* LineEnd = "\r\n";

std::size_t DecimalDigits(std::size_t value) {
    std::size_t digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

// The line number zero-padded to the given width, as "%.*u" writes it.
std::string LineNumber(std::size_t number, std::size_t width) {
    std::string text = std::to_string(number);
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

// Writes one file per medium with the lines the builder makes, each in one step and in the
// platform's encoding of text files, which the playlist reader reads back. The first file that
// cannot be written ends the run with a message, leaving the files before it as they are.
template <typename LineBuilder>
TProcessedMedia WriteMediumFiles(TDataManager& manager, Prompter& prompter, int index,
                                 const std::string& prefix, std::string_view extension,
                                 const LineBuilder& build) {
    const auto [first, last] = manager.MediaRange(index);
    TProcessedMedia processed;
    for (std::size_t i = first; i < last; ++i) {
        const std::string path = prefix + std::to_string(i + 1) + std::string(extension);
        if (!WriteResultFile(prompter, path, EncodeTextFile(build(manager.GetMedia()[i])).Bytes)) {
            processed.Failed = 1;
            return processed;
        }
        ++processed.Done;
    }
    return processed;
}

}  // namespace

TProcessedMedia TDataManager::SaveTextLists(int index, const std::string& prefix) {
    return WriteMediumFiles(*this, Host.prompter, index, prefix, TextListExtension,
                            [this](const TMedium& medium) {
                                const std::size_t width = DecimalDigits(medium.size());
                                std::string text;
                                std::size_t number = 0;
                                for (const TConstItemPosition& item : medium) {
                                    text += LineNumber(++number, width) + ". " + item->Name + "\t" +
                                            ValueText(item->Size) + LineEnd;
                                }
                                return text;
                            });
}

TProcessedMedia TDataManager::SavePlaylists(int index, const std::string& prefix) {
    return WriteMediumFiles(*this, Host.prompter, index, prefix, PlaylistExtension, MediumPlaylist);
}

std::string MediumPlaylist(const TMedium& medium) {
    std::string text = std::string(PlaylistHeader) + LineEnd;
    for (const TConstItemPosition& item : medium) {
        text += std::string(InformationPrefix) + std::to_string(item->Size / HundredthsPerSecond) +
                "," + item->Name + LineEnd + item->Path + LineEnd;
    }
    return text;
}
