// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist reader: extended M3U into the collection.

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "collection/Tdatamanager.h"
#include "items/PlaylistFormat.h"
#include "items/PlaylistReader.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"
#include "winamp/Winamp.h"

namespace {

constexpr const char* CannotOpenText = "Не могу открыть выбранный список воспроизведения.";
constexpr const char* UnsupportedFormatText =
    "Формат выбранного списка воспроизведения не поддерживается.\nИзвините.";
constexpr const char* DiscTrackTextBefore = "Композиция «";
constexpr const char* DiscTrackTextAfter =
    "» находится на аудио компакт диске и не является файлом. Из-за неё при обработке "
    "результатов разбиения будут доступны не все возможности.\n\nДобавить композицию в "
    "коллекцию?";
constexpr const char* MissingFileTextBefore = "Файл «";
// Ends in a Cyrillic "а".
constexpr const char* MissingFileTextAfter =
    "» не существует!\nПропустить и продолжить загрузку PlayList'а?";
constexpr const char* MissingTimeTextBefore =
    "В списке воспроизведения не найдена информация о длине композиции «";
constexpr const char* MissingTimeTextMiddle = "»!\nУбедитесь, что в ";
// Ends in a Latin "a".
constexpr const char* MissingTimeTextAfter =
    " для каждой композиции указана продолжительность.\n\n"
    "Пропустить композицию и продолжить загрузку PlayList'a?";
// The platform's player where the text says "in the player": Winamp's name takes the Russian
// ending, another name stays as it is.
std::string InThePlayer() {
    return PlayerName == "Winamp" ? std::string("Winampe") : std::string(PlayerName);
}

constexpr char EndOfFileByte = '\x1A';

// Reads a playlist's lines as bytes: a line ends at LF, a CR right before the LF is dropped, a
// 0x1A byte ends the file. A line of any length and any bytes (NUL included) is taken as it is.
class PlaylistLines {
public:
    explicit PlaylistLines(std::FILE* file) : File(file) {}

    // False at the end of the file.
    bool Next(std::string& line) {
        line.clear();
        while (true) {
            if (Start == End && !Fill())
                break;
            const char* begin = Buffer + Start;
            const char* end = Buffer + End;
            const char* stop = begin;
            while (stop != end && *stop != '\n' && *stop != EndOfFileByte)
                ++stop;
            line.append(begin, stop);
            Start += static_cast<std::size_t>(stop - begin);
            if (stop == end)
                continue;
            if (*stop == EndOfFileByte) {
                Finished = true;
                Start = End;
                break;
            }
            ++Start;  // the LF
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        // The file ended inside a line (or at 0x1A): that text is still a line if there was any.
        return !line.empty();
    }

private:
    bool Fill() {
        if (Finished)
            return false;
        Start = 0;
        End = std::fread(Buffer, 1, sizeof Buffer, File);
        if (End == 0) {
            Finished = true;
            return false;
        }
        return true;
    }
    std::FILE* File;
    char Buffer[65536];
    std::size_t Start = 0;
    std::size_t End = 0;
    bool Finished = false;
};

// Closes the playlist on every way out.
struct FileCloser {
    std::FILE* File;
    ~FileCloser() { std::fclose(File); }
};

// Makes the playlist's folder the working directory and restores the previous one on every way
// out of the reader.
class WorkingDirectoryGuard {
public:
    explicit WorkingDirectoryGuard(const std::filesystem::path& folder) {
        std::error_code error;
        Saved = std::filesystem::current_path(error);
        if (error)
            return;  // with no directory to come back to, leave it alone
        std::filesystem::current_path(folder, error);
        Changed = !error;
    }
    ~WorkingDirectoryGuard() {
        if (Changed) {
            std::error_code error;
            std::filesystem::current_path(Saved, error);
        }
    }
    WorkingDirectoryGuard(const WorkingDirectoryGuard&) = delete;
    WorkingDirectoryGuard& operator=(const WorkingDirectoryGuard&) = delete;

private:
    std::filesystem::path Saved;
    bool Changed = false;
};

bool IsDiscTrack(const std::string& location) {
    if (location.compare(0, 6, "cda://") == 0)
        return true;
    return location.size() >= 14 && location.compare(1, 7, ":\\Track") == 0 &&
           location.compare(10, 4, ".cda") == 0;
}

// The location joined to the playlist's folder as it is written: what the file system is asked
// about, so that "song.mp3/" names no file even where "song.mp3" is one.
std::filesystem::path WrittenPath(const std::filesystem::path& folder,
                                  const std::string& location) {
    const std::filesystem::path written(location);
    return written.is_absolute() ? written : folder / written;
}

// The full path of a location, resolved against the playlist's folder and normalised lexically; a
// trailing delimiter stays, so "song.mp3/" names no file even where "song.mp3" is one.
std::string FullPath(const std::filesystem::path& folder, const std::string& location) {
    std::string text = WrittenPath(folder, location).lexically_normal().string();
    // "folder/" for an empty location: the folder itself, named without the trailing delimiter.
    if (location.empty() && text.size() > 1 && text.back() == PathDelimiter)
        text.pop_back();
    return text;
}

// A file exists under the path; a path with a NUL byte cannot name one.
bool IsExistingFile(const std::string& path) {
    return path.find('\0') == std::string::npos && FileExists(path);
}

const std::vector<PromptButton> DiscTrackButtons = {PromptButton::Yes, PromptButton::No,
                                                    PromptButton::Cancel, PromptButton::NoToAll,
                                                    PromptButton::YesToAll};
const std::vector<PromptButton> SkipButtons = {PromptButton::Yes, PromptButton::Cancel,
                                               PromptButton::YesToAll};

}  // namespace

void TDataManager::LoadPlaylist(const std::string& playlist, bool asTracks) {
    Prompter& prompter = Host.prompter;
    const auto notice = [&prompter](const char* text) {
        prompter.MessageBox(text, PromptIcon::Exclamation, {PromptButton::Ok}, PromptButton::Ok);
    };

    if (Thread)
        return;  // the running division reads the collection
    // Only a regular file is read: a folder, a device or a pipe would fail, never end or block.
    const auto attributes = playlist.find('\0') == std::string::npos
                                ? ReadPathAttributes(playlist)
                                : std::optional<PathAttributes>();
    if (!attributes || attributes->Directory || attributes->System) {
        notice(CannotOpenText);
        return;
    }
    std::FILE* file = std::fopen(playlist.c_str(), "rb");
    if (file == nullptr) {
        notice(CannotOpenText);
        return;
    }
    const FileCloser closer{file};
    PlaylistLines lines(file);

    std::string line;
    if (!lines.Next(line) || line != PlaylistHeader) {
        notice(UnsupportedFormatText);
        return;
    }

    std::error_code error;
    std::filesystem::path playlistPath = std::filesystem::absolute(playlist, error);
    if (error)
        playlistPath = playlist;
    const std::filesystem::path folder = playlistPath.parent_path();
    const WorkingDirectoryGuard workingDirectory(folder);

    enum class Remembered { None, AcceptAll, SkipAll };
    Remembered discTracks = Remembered::None;
    bool skipMissingFiles = false;
    bool skipMissingTimes = false;

    std::vector<std::string> rest;
    while (lines.Next(line))
        rest.push_back(std::move(line));
    for (PlaylistEntry& entry : ReadPlaylistEntries(rest, asTracks)) {
        std::string& location = entry.Location;
        const std::string& title = entry.Title;
        const std::int64_t seconds = entry.Seconds;

        bool missing = false;
        const bool discTrack = IsDiscTrack(location);
        if (discTrack && asTracks) {
            PromptButton answer = PromptButton::Yes;
            if (discTracks == Remembered::AcceptAll)
                answer = PromptButton::Yes;
            else if (discTracks == Remembered::SkipAll)
                answer = PromptButton::No;
            else
                answer = prompter.MessageDialog(
                    DialogKind::Confirmation,
                    DiscTrackTextBefore + (title.empty() ? location : title) + DiscTrackTextAfter,
                    DiscTrackButtons, PromptButton::Yes);
            if (answer == PromptButton::YesToAll)
                discTracks = Remembered::AcceptAll;
            else if (answer == PromptButton::NoToAll)
                discTracks = Remembered::SkipAll;
            if (answer == PromptButton::No || answer == PromptButton::NoToAll)
                continue;
            if (answer != PromptButton::Yes && answer != PromptButton::YesToAll)
                return;  // Cancel or the dialog closed: stop, keep what was added
            // Accepting a disc track is what makes the collection no longer plain files, even
            // when the entry is then skipped for want of a playing time or the load stops.
            ItemsAreFiles = false;
        } else if (discTrack) {
            missing = true;  // a disc track is no file to measure
        } else {
            // The path checked is the path stored, measured and later collected: "lnk/../x.mp3"
            // is the x.mp3 beside lnk, even where lnk leads to another folder.
            location = FullPath(folder, location);
            missing = !IsExistingFile(location);
        }

        if (missing) {
            if (skipMissingFiles)
                continue;
            const PromptButton answer = prompter.MessageDialog(
                DialogKind::Warning, MissingFileTextBefore + location + MissingFileTextAfter,
                SkipButtons, PromptButton::Yes);
            if (answer == PromptButton::YesToAll)
                skipMissingFiles = true;
            if (answer == PromptButton::Yes || answer == PromptButton::YesToAll)
                continue;
            return;
        }

        if (asTracks && (seconds < 1 || title.empty())) {
            if (skipMissingTimes)
                continue;
            const PromptButton answer = prompter.MessageDialog(
                DialogKind::Warning,
                MissingTimeTextBefore + (title.empty() ? location : title) + MissingTimeTextMiddle +
                    InThePlayer() + MissingTimeTextAfter,
                SkipButtons, PromptButton::Yes);
            if (answer == PromptButton::YesToAll)
                skipMissingTimes = true;
            if (answer == PromptButton::Yes || answer == PromptButton::YesToAll)
                continue;
            return;
        }

        if (asTracks) {
            // Seconds fit in 32 bits but their hundredths may not: the size is 64-bit.
            TColItem item = ItemFromTrack(location, title, 0, Host.icons);
            item.Size = static_cast<std::uint64_t>(seconds) * HundredthsPerSecond;
            AppendItem(std::move(item));
        } else {
            AppendItem(ItemFromPath(location, Host.icons, Tree));
        }
    }
}
