// SPDX-License-Identifier: GPL-3.0-or-later
// The list writers: a numbered text list or an extended M3U playlist per medium.
#include "collection/Tdatamanager.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "items/PlaylistFormat.h"
#include "platform/Prompter.h"

namespace {

// Texts of the list writers.
constexpr const char* CannotCreateTextBefore = "Не могу создать файл\n";
constexpr const char* CannotCreateTextAfter = " !";
constexpr const char* TextListExtension = ".txt";
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

// Creates (or truncates) the file and writes the text. False when the file cannot be created or
// the text does not reach the disk whole (a full disk), so the user is never told nothing while
// a list is cut short.
bool WriteListFile(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

// Writes one file per medium with the lines the builder makes; the first file that cannot be
// written ends the run with a message, leaving the files before it as they are. Returns the
// number of files written.
template <typename LineBuilder>
std::size_t WriteMediumFiles(TDataManager& manager, Prompter& prompter, int index,
                             const std::string& prefix, std::string_view extension,
                             const LineBuilder& build) {
    std::size_t first = 0;
    std::size_t last = manager.GetMedia().size();
    if (index >= 0) {
        // Callers pass a shown medium; any other index has nothing to write.
        if (static_cast<std::size_t>(index) >= manager.GetMedia().size())
            return 0;
        first = static_cast<std::size_t>(index);
        last = first + 1;
    }
    for (std::size_t i = first; i < last; ++i) {
        const std::string path = prefix + std::to_string(i + 1) + std::string(extension);
        if (!WriteListFile(path, build(manager.GetMedia()[i]))) {
            prompter.MessageBox(CannotCreateTextBefore + path + CannotCreateTextAfter,
                                PromptIcon::Error, {PromptButton::Ok}, PromptButton::Ok);
            return i - first;
        }
    }
    return last - first;
}

}  // namespace

std::size_t TDataManager::SaveTextLists(int index, const std::string& prefix) {
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

std::size_t TDataManager::SavePlaylists(int index, const std::string& prefix) {
    return WriteMediumFiles(*this, Host.prompter, index, prefix, PlaylistExtension,
                            [](const TMedium& medium) {
                                std::string text = std::string(PlaylistHeader) + LineEnd;
                                for (const TConstItemPosition& item : medium) {
                                    text += std::string(InformationPrefix) +
                                            std::to_string(item->Size / HundredthsPerSecond) + "," +
                                            item->Name + LineEnd + item->Path + LineEnd;
                                }
                                return text;
                            });
}
