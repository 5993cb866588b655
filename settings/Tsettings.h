// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "collection/DivisionLimits.h"
#include "settings/UserFolders.h"

class Prompter;

// The user's choices kept between runs in an INI file, section "Global". Loaded by the
// constructor, written by Save, and written once more by the destructor when AutoSave is set.
class TSettings {
public:
    // The settings file of the running program (SettingsFileFor).
    TSettings();
    // The settings file at the given path (tests, other front ends).
    explicit TSettings(std::string path);
    ~TSettings();
    TSettings(const TSettings&) = delete;
    TSettings& operator=(const TSettings&) = delete;

    // Writes every value. On failure the user is told (when a prompter is set), the file on disk
    // stays as it was, and the result is false.
    bool Save();

    // Where failures of Save are reported; the window sets it and clears it before it goes away.
    void SetPrompter(Prompter* prompter) { Reporter = prompter; }
    const std::string& FilePath() const { return Path; }

    bool AutoSave = false;
    std::uint8_t CollectionType = 0;
    std::uint8_t FilesAddMethod = 2;
    std::uint8_t SongsAddMethod = 4;
    std::uint64_t DataMediumCapacity = DefaultDataCapacity;
    std::uint64_t AudioMediumCapacity = DefaultAudioCapacity;  // hundredths of a second
    std::uint32_t SongPause = DefaultSongPause;                // hundredths of a second
    float CapacityTolerance = DefaultTolerance;                // percent
    std::string ResultsBaseDir;
    std::string MediumName = std::string(DefaultMediumName);
    // Data media: count what each item takes on an ISO 9660 image instead of its bytes.
    bool DiscFootprint = false;
    // Copies into medium folders also write the SHA-256 of every file beside each folder.
    bool ChecksumLists = false;
    // Hidden files and folders inside folders are counted in sizes, and so copied, moved and
    // written into images; off, they are left out everywhere.
    bool CountHidden = false;
    // The window's language: "auto" (the user's locale decides), "ru" or "en". Only read: the
    // user sets it in the file, and saving keeps the file's own line.
    std::string Language = "auto";
    // 0: each medium in turn as full as can be; 1: as few media as can be. Missing: 0.
    std::uint8_t DivisionMethod = 0;

private:
    void Load();

    std::string Path;
    Prompter* Reporter = nullptr;
};

// The settings file for an executable run by user: beside it with its extension replaced by
// ".ini" for a copy the user keeps in a folder of their own (owned by them and writable); for a
// program installed under /usr or /opt, or in a folder the user does not own, the same file
// name in configHome's "vantrel" folder, whoever runs it.
std::string SettingsPathFor(const std::string& executable, const std::string& configHome,
                            std::uint32_t user);

// The same path, after a file earlier versions kept straight in configHome has been carried
// over into it when it has no file yet.
std::string SettingsFileFor(const std::string& executable, const std::string& configHome,
                            std::uint32_t user);

// The tolerance as the file holds it: the single-precision value widened to double, 15
// significant digits, with the given decimal separator (99.9 → "99.9000015258789").
std::string ToleranceText(float tolerance, char decimalSeparator);

// Reads a tolerance written with either decimal separator; false when it is not a finite number.
bool ParseTolerance(const std::string& text, float& tolerance);

// The decimal separator of the process's current locale.
char SystemDecimalSeparator();
