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
#include "platform/TextFileEncoding.h"
#include "platform/Utf8Path.h"
#include "winamp/Winamp.h"

namespace {

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
    const std::filesystem::path written = Utf8Path(location);
    return written.is_absolute() ? written : folder / written;
}

// The full path of a location, resolved against the playlist's folder and normalised lexically; a
// trailing delimiter stays, so "song.mp3/" names no file even where "song.mp3" is one.
std::string FullPath(const std::filesystem::path& folder, const std::string& location) {
    std::string text = Utf8Text(WrittenPath(folder, location).lexically_normal());
    // "folder/" for an empty location: the folder itself, named without the trailing delimiter.
    if (location.empty() && text.size() > 1 && text.back() == PathDelimiter)
        text.pop_back();
    return text;
}

// A file exists under the path; a path with a NUL byte cannot name one.
bool IsExistingFile(const std::string& path) {
    return path.find('\0') == std::string::npos && FileExists(path);
}

// The lines after the header of the playlist, or the notice that it cannot be read.
std::optional<std::vector<std::string>> ReadPlaylistLines(const std::string& playlist,
                                                          Prompter& prompter) {
    // Only a regular file is read: a folder, a device or a pipe would fail, never end or block.
    const auto attributes = playlist.find('\0') == std::string::npos
                                ? ReadPathAttributes(playlist)
                                : std::optional<PathAttributes>();
    std::FILE* file = attributes && !attributes->Directory && !attributes->System
                          ? OpenFileToRead(playlist)
                          : nullptr;
    if (file == nullptr) {
        prompter.Ask(Question(QuestionKind::PlaylistUnreadable));
        return std::nullopt;
    }
    const FileCloser closer{file};
    PlaylistLines lines(file);
    TextFileDecoder text;
    std::string line;
    if (!lines.Next(line) || text.Line(line) != PlaylistHeader) {
        prompter.Ask(Question(QuestionKind::PlaylistUnsupported));
        return std::nullopt;
    }
    std::vector<std::string> rest;
    while (lines.Next(line))
        rest.push_back(text.Line(std::move(line)));
    return rest;
}

// The folder relative locations of the playlist start from.
std::filesystem::path PlaylistFolder(const std::string& playlist) {
    std::error_code error;
    std::filesystem::path playlistPath = std::filesystem::absolute(Utf8Path(playlist), error);
    if (error)
        playlistPath = Utf8Path(playlist);
    return playlistPath.parent_path();
}

}  // namespace

// The answers given "for all" during one playlist's load.
struct TDataManager::PlaylistAnswers {
    enum class Remembered { None, AcceptAll, SkipAll };
    Remembered DiscTracks = Remembered::None;
    bool SkipMissingFiles = false;
    bool SkipMissingTimes = false;
};

TDataManager::EntryChoice TDataManager::AskToSkip(Question skip, bool& skipAll) {
    if (skipAll)
        return EntryChoice::Skip;
    skip.Answers = SkipOrCancelForAll;
    skip.Default = Answer::Yes;
    const Answer answer = Host.prompter.Ask(skip);
    if (answer == Answer::YesToAll)
        skipAll = true;
    return answer == Answer::Yes || answer == Answer::YesToAll ? EntryChoice::Skip
                                                               : EntryChoice::Stop;
}

TDataManager::EntryChoice TDataManager::AskAboutDiscTrack(const std::string& name,
                                                          PlaylistAnswers& answers) {
    using Remembered = PlaylistAnswers::Remembered;
    Answer answer = Answer::Yes;
    if (answers.DiscTracks == Remembered::SkipAll) {
        answer = Answer::No;
    } else if (answers.DiscTracks == Remembered::None) {
        Question track(QuestionKind::DiscTrack, name);
        track.Answers = EveryAnswer;
        track.Default = Answer::Yes;
        answer = Host.prompter.Ask(track);
    }
    if (answer == Answer::YesToAll)
        answers.DiscTracks = Remembered::AcceptAll;
    else if (answer == Answer::NoToAll)
        answers.DiscTracks = Remembered::SkipAll;
    if (answer == Answer::No || answer == Answer::NoToAll)
        return EntryChoice::Skip;
    if (answer != Answer::Yes && answer != Answer::YesToAll)
        return EntryChoice::Stop;  // Cancel or the dialog closed: keep what was added
    // Accepting a disc track is what makes the collection no longer plain files, even when the
    // entry is then skipped for want of a playing time or the load stops.
    ItemsAreFiles = false;
    return EntryChoice::Add;
}

TDataManager::EntryChoice TDataManager::AddPlaylistEntry(PlaylistEntry& entry,
                                                         const std::filesystem::path& folder,
                                                         CollectionKind kind,
                                                         PlaylistAnswers& answers) {
    const bool asTracks = kind == MusicTracks;
    std::string& location = entry.Location;
    const std::string& name = entry.Title.empty() ? location : entry.Title;
    bool missing = false;
    const bool discTrack = IsDiscTrack(location);
    if (discTrack && asTracks) {
        if (const EntryChoice choice = AskAboutDiscTrack(name, answers); choice != EntryChoice::Add)
            return choice;
    } else if (discTrack) {
        missing = true;  // a disc track is no file to measure
    } else {
        // The path checked is the path stored, measured and later collected: "lnk/../x.mp3" is
        // the x.mp3 beside lnk, even where lnk leads to another folder.
        location = FullPath(folder, location);
        missing = !IsExistingFile(location);
    }
    if (missing)
        return AskToSkip(Question(QuestionKind::MissingEntry, location), answers.SkipMissingFiles);
    if (asTracks && (entry.Seconds < 1 || entry.Title.empty()))
        return AskToSkip(Question(QuestionKind::MissingTrackLength, name, std::string(PlayerName)),
                         answers.SkipMissingTimes);

    if (asTracks) {
        // Seconds fit in 32 bits but their hundredths may not: the size is 64-bit.
        TColItem item = ItemFromTrack(location, entry.Title, 0, Host.icons);
        item.Size = static_cast<std::uint64_t>(entry.Seconds) * HundredthsPerSecond;
        AppendItem(std::move(item));
    } else {
        AppendItem(ItemFromPath(location, Host.icons, Tree));
    }
    return EntryChoice::Add;
}

void TDataManager::LoadPlaylist(const std::string& playlist, CollectionKind kind) {
    if (Thread)
        return;  // the running division reads the collection
    const auto lines = ReadPlaylistLines(playlist, Host.prompter);
    if (!lines)
        return;
    const std::filesystem::path folder = PlaylistFolder(playlist);
    PlaylistAnswers answers;
    for (PlaylistEntry& entry : ReadPlaylistEntries(*lines, kind)) {
        if (AddPlaylistEntry(entry, folder, kind, answers) == EntryChoice::Stop)
            return;
    }
}
