// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Tsettings.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "settings/UserFolders.h"
#include "tests/doubles/FileKinds.h"
#include "tests/doubles/OrdinaryUser.h"
#include "tests/doubles/PosixOnly.h"
#include "tests/doubles/ScriptedPrompter.h"
#include "tests/doubles/TempFolder.h"
#include "tests/platform/ScratchMount.h"

namespace {

constexpr std::uint64_t Capacity438 = 4700766208ULL;          // 4483 × 1 048 576
constexpr std::uint64_t Custom5000MB = 5000ULL * 1048576ULL;  // 5 000 МБайт

void ExpectDefaults(const TSettings& settings) {
    EXPECT_FALSE(settings.AutoSave);
    EXPECT_EQ(settings.CollectionType, 0);
    EXPECT_EQ(settings.FilesAddMethod, 2);
    EXPECT_EQ(settings.SongsAddMethod, 4);
    EXPECT_EQ(settings.DataMediumCapacity, 734003200U);
    EXPECT_EQ(settings.AudioMediumCapacity, 480000U);
    EXPECT_EQ(settings.SongPause, 150U);
    EXPECT_EQ(settings.CapacityTolerance, 99.9F);
    EXPECT_EQ(settings.ResultsBaseDir, DefaultResultsBaseDir());
    EXPECT_EQ(settings.MediumName, "disk");
    EXPECT_FALSE(settings.DiscFootprint);  // a file without the key divides as it always did
    EXPECT_FALSE(settings.ChecksumLists);
    EXPECT_FALSE(settings.CountHidden);
    EXPECT_EQ(settings.Language, "auto");
    EXPECT_EQ(settings.DivisionMethod, 0);  // missing: each medium in turn, as always
}

TEST(TSettingsLoad, MissingFileGivesDefaults) {
    TempFolder folder;
    TSettings settings(folder / "vantrel.ini");
    ExpectDefaults(settings);
    EXPECT_FALSE(std::filesystem::exists(folder / "vantrel.ini"));
}

TEST(TSettingsLoad, UnreadableValuesGiveDefaults) {
    TempFolder folder;
    WriteTextFile(folder / "v.ini",
                  "[Global]\r\nAutoSave=yes\r\nCollectionType=\r\nFilesAddMethod=1x\r\n"
                  "SongsAddMethod=+-1\r\n"
                  "DataMediumCapacity=99999999999999999999999\r\nAudioMediumCapacity=7.5\r\n"
                  "SongPause=-3000000000\r\nCapacityTolerance=abc\r\n");
    TSettings settings(folder / "v.ini");
    ExpectDefaults(settings);
}

// Catches the key not being read, or saving dropping the line the user wrote.
TEST(TSettingsLoad, LanguageIsReadAndKeptBySaving) {
    TempFolder folder;
    const std::string path = folder / "v.ini";
    WriteTextFile(path, "[Global]\r\nLanguage=en\r\n");
    {
        TSettings settings(path);
        EXPECT_EQ(settings.Language, "en");
        ASSERT_TRUE(settings.Save());
    }
    EXPECT_EQ(TSettings(path).Language, "en");
}

TEST(TSettingsLoad, ValueForms) {
    struct Case {
        const char* Line;
        std::uint64_t DataCapacity;
        float Tolerance;
    };
    const Case cases[] = {
        {"DataMediumCapacity=4700766208", Capacity438, 99.9F},
        {"DataMediumCapacity=-1", UINT64_MAX, 99.9F},
        // A signed 32-bit value is sign-extended, as a file of 32-bit capacities meant it.
        {"DataMediumCapacity=-2147483648", 0xFFFFFFFF80000000ULL, 99.9F},
        {"DataMediumCapacity=-2147483649", 734003200U, 99.9F},
        {"DataMediumCapacity=18446744073709551615", UINT64_MAX, 99.9F},
        {"DataMediumCapacity=18446744073709551616", 734003200U, 99.9F},
        {"CapacityTolerance=85,5", 734003200U, 85.5F},
        {"CapacityTolerance=85.5", 734003200U, 85.5F},
        {"CapacityTolerance=99,9000015258789", 734003200U, 99.9F},
        {"CapacityTolerance=nan", 734003200U, 99.9F},
        {"CapacityTolerance=inf", 734003200U, 99.9F},
        {"CapacityTolerance=1e300", 734003200U, 99.9F},
        {"CapacityTolerance=85,5,1", 734003200U, 99.9F},
        {"CapacityTolerance=+85,5", 734003200U, 85.5F},
        {"CapacityTolerance=+-85,5", 734003200U, 99.9F},
        {"DataMediumCapacity=+-1", 734003200U, 99.9F},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        TempFolder folder;
        WriteTextFile(folder / "v.ini", std::string("[Global]\n") + c.Line + "\n");
        TSettings settings(folder / "v.ini");
        EXPECT_EQ(settings.DataMediumCapacity, c.DataCapacity);
        EXPECT_EQ(settings.CapacityTolerance, c.Tolerance);
    }
}

TEST(TSettingsLoad, IntegersKeepTheirLowBitsAndKeysIgnoreCase) {
    TempFolder folder;
    WriteTextFile(folder / "v.ini",
                  "; comment\n[other]\nCollectionType=1\n[GLOBAL]\n autosave = 7 \n"
                  "CollectionType=257\nSongsAddMethod=-253\nSongPause=-1\nMediumName= cd \n"
                  "MediumName=second\n");
    TSettings settings(folder / "v.ini");
    EXPECT_TRUE(settings.AutoSave);
    EXPECT_EQ(settings.CollectionType, 1);  // 257: low 8 bits; the other section is ignored
    EXPECT_EQ(settings.SongsAddMethod, 3);  // -253 = 0x...03
    EXPECT_EQ(settings.SongPause, UINT32_MAX);
    EXPECT_EQ(settings.MediumName, "cd");  // first occurrence, trimmed
}

struct RoundTripCase {
    const char* Name;
    std::uint64_t DataCapacity;
    std::uint64_t AudioCapacity;
    float Tolerance;
};

class TSettingsRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(TSettingsRoundTrip, EveryValueSurvives) {
    const auto& c = GetParam();
    TempFolder folder;
    const std::string path = folder / "vantrel.ini";
    {
        TSettings settings(path);
        settings.AutoSave = true;
        settings.CollectionType = 1;
        settings.FilesAddMethod = 0;
        settings.SongsAddMethod = 3;
        settings.DataMediumCapacity = c.DataCapacity;
        settings.AudioMediumCapacity = c.AudioCapacity;
        settings.SongPause = 1000;
        settings.CapacityTolerance = c.Tolerance;
        settings.ResultsBaseDir = "/home/пользователь/Мои диски/";
        settings.MediumName = "диск №";
        settings.DiscFootprint = true;
        settings.ChecksumLists = true;
        settings.CountHidden = true;
        settings.DivisionMethod = 1;
        ASSERT_TRUE(settings.Save());
    }
    TSettings loaded(path);
    EXPECT_TRUE(loaded.AutoSave);
    EXPECT_EQ(loaded.CollectionType, 1);
    EXPECT_EQ(loaded.FilesAddMethod, 0);
    EXPECT_EQ(loaded.SongsAddMethod, 3);
    EXPECT_EQ(loaded.DataMediumCapacity, c.DataCapacity);
    EXPECT_EQ(loaded.AudioMediumCapacity, c.AudioCapacity);
    EXPECT_EQ(loaded.SongPause, 1000U);
    EXPECT_EQ(loaded.CapacityTolerance, c.Tolerance);
    EXPECT_EQ(loaded.ResultsBaseDir, "/home/пользователь/Мои диски/");
    EXPECT_EQ(loaded.MediumName, "диск №");
    EXPECT_TRUE(loaded.DiscFootprint);
    EXPECT_TRUE(loaded.ChecksumLists);
    EXPECT_TRUE(loaded.CountHidden);
    EXPECT_EQ(loaded.DivisionMethod, 1);
    loaded.AutoSave = false;  // no second save on the way out
}

INSTANTIATE_TEST_SUITE_P(
    Capacities, TSettingsRoundTrip,
    ::testing::Values(RoundTripCase{"Preset438", Capacity438, 444000, 99.9F},
                      RoundTripCase{"Custom5000MB", Custom5000MB, 270000, 80.0F},
                      RoundTripCase{"Exactly2GiB", 2147483648ULL, 199999, 100.0F},
                      RoundTripCase{"Floppy", 1457664, 1, 87.6543F},
                      RoundTripCase{"Largest", UINT64_MAX, UINT64_MAX, 80.0001F}),
    [](const auto& param) { return std::string(param.param.Name); });

TEST(TSettingsSave, WritesTheSectionInKeyOrderWithCrLf) {
    TempFolder folder;
    const std::string path = folder / "vantrel.ini";
    TSettings settings(path);
    settings.ResultsBaseDir = "/r/";
    settings.DataMediumCapacity = Capacity438;
    ASSERT_TRUE(settings.Save());
    const std::string expected =
        "[Global]\r\nAutoSave=0\r\nCollectionType=0\r\nFilesAddMethod=2\r\n"
        "SongsAddMethod=4\r\nDataMediumCapacity=4700766208\r\n"
        "AudioMediumCapacity=480000\r\nSongPause=150\r\n"
        "CapacityTolerance=" +
        ToleranceText(99.9F, SystemDecimalSeparator()) +
        "\r\nResultsBaseDir=/r/\r\nMediumName=disk\r\nDiscFootprint=0\r\nChecksumLists=0\r\n"
        "CountHidden=0\r\nDivisionMethod=0\r\n";
    EXPECT_EQ(ReadTextFile(path), expected);
}

TEST(TSettingsSave, KeepsOtherSectionsKeysAndComments) {
    TempFolder folder;
    const std::string path = folder / "vantrel.ini";
    WriteTextFile(path,
                  "; my notes\r\n[Window]\r\nLeft=10\r\n\r\n[Global]\r\n; keep me\r\n"
                  "MediumName=old\r\nCustom=yes\r\nSongPause=5\r\n\r\n[Tail]\r\nX=1\r\n");
    TSettings settings(path);
    EXPECT_EQ(settings.SongPause, 5U);
    settings.MediumName = "new";
    settings.ResultsBaseDir = "/r/";
    ASSERT_TRUE(settings.Save());
    const std::string tolerance = ToleranceText(99.9F, SystemDecimalSeparator());
    EXPECT_EQ(
        ReadTextFile(path),
        "; my notes\r\n[Window]\r\nLeft=10\r\n\r\n[Global]\r\n; keep me\r\n"
        "MediumName=new\r\nCustom=yes\r\nSongPause=5\r\n"
        "AutoSave=0\r\nCollectionType=0\r\nFilesAddMethod=2\r\nSongsAddMethod=4\r\n"
        "DataMediumCapacity=734003200\r\nAudioMediumCapacity=480000\r\n"
        "CapacityTolerance=" +
            tolerance +
            "\r\nResultsBaseDir=/r/"
            "\r\nDiscFootprint=0\r\nChecksumLists=0\r\nCountHidden=0\r\nDivisionMethod=0\r\n\r\n"
            "[Tail]\r\nX=1\r\n");
}

TEST(TSettingsSave, LineBreaksInAValueCannotAddKeys) {
    TempFolder folder;
    const std::string path = folder / "vantrel.ini";
    TSettings settings(path);
    settings.MediumName = "disk\r\nAutoSave=1";
    ASSERT_TRUE(settings.Save());
    TSettings loaded(path);
    EXPECT_EQ(loaded.MediumName, "disk");
    EXPECT_FALSE(loaded.AutoSave);
}

TEST(TSettingsSave, DestructorSavesOnlyWithAutoSave) {
    TempFolder folder;
    {
        TSettings settings(folder / "off.ini");
        settings.MediumName = "x";
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "off.ini"));
    {
        TSettings settings(folder / "on.ini");
        settings.AutoSave = true;
        settings.MediumName = "x";
    }
    TSettings loaded(folder / "on.ini");
    EXPECT_EQ(loaded.MediumName, "x");
    loaded.AutoSave = false;
}

TEST(TSettingsSave, CreatesTheConfigFolder) {
    TempFolder folder;
    TSettings settings(folder / "config/sub/vantrel.ini");
    EXPECT_TRUE(settings.Save());
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "config/sub/vantrel.ini"));
}

void ExpectSaveFailedMessage(const ScriptedPrompter& prompter) {
    ASSERT_EQ(prompter.Asked.size(), 1U);
    EXPECT_EQ(prompter.Asked[0].Kind, QuestionKind::SettingsNotSaved);
    EXPECT_EQ(prompter.Asked[0].Answers, std::vector<Answer>{Answer::Ok});
}

TEST(TSettingsSave, FailureIsReportedWhenTheFolderCannotBeMade) {
    TempFolder folder;
    WriteTextFile(folder / "plain", "not a folder");
    ScriptedPrompter prompter;
    prompter.Reply(Answer::Ok);
    TSettings settings(folder / "plain/vantrel.ini");
    settings.SetPrompter(&prompter);
    EXPECT_FALSE(settings.Save());
    ExpectSaveFailedMessage(prompter);
}

TEST(TSettingsSave, FullDiskKeepsTheOldFileWhole) {
    TempFolder folder;
    ScratchMount mount(folder / "small", "64k");
    if (!mount.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    const std::string path = folder / "small/vantrel.ini";
    const std::string old = "[Global]\r\nMediumName=old\r\n" + std::string(200, ';') + "\r\n";
    WriteTextFile(path, old);
    mount.Fill("filler");

    ScriptedPrompter prompter;
    prompter.Reply(Answer::Ok);
    TSettings settings(path);
    settings.SetPrompter(&prompter);
    settings.MediumName = "new name that makes the file longer";
    EXPECT_FALSE(settings.Save());
    ExpectSaveFailedMessage(prompter);
    EXPECT_EQ(ReadTextFile(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "small"),
                            std::filesystem::directory_iterator()),
              2)
        << "no temporary file is left behind";
}

TEST(TSettingsSave, ReadOnlyFolderKeepsTheOldFile) {
    TempFolder folder;
    ScratchMount mount(folder / "ro", "64k");
    const std::string path = folder / "ro/vantrel.ini";
    WriteTextFile(path, "[Global]\r\nMediumName=old\r\n");
    if (mount.MakeReadOnly() == 0)
        GTEST_SKIP() << "root without a way to make a read-only folder";

    ScriptedPrompter prompter;
    prompter.Reply(Answer::Ok);
    TSettings settings(path);
    settings.SetPrompter(&prompter);
    EXPECT_EQ(settings.MediumName, "old");
    settings.MediumName = "new";
    EXPECT_FALSE(settings.Save());
    ExpectSaveFailedMessage(prompter);
    EXPECT_EQ(ReadTextFile(path), "[Global]\r\nMediumName=old\r\n");
}

TEST(TSettingsSave, FrozenFileStaysAsItIs) {
    TempFolder folder;
    const OrdinaryUser user;
    const std::string old = "[Global]\r\nMediumName=old\r\n";
    const std::string path = folder.Write("conf/vantrel.ini", old);
    user.Own(folder / "", 0755);
    user.Own(folder / "conf", 0755);  // the user may write into the folder, not the file
    user.Own(path, 0444);
    const int failed = user.Run([&] {
        ScriptedPrompter prompter;
        prompter.Reply(Answer::Ok);
        TSettings settings(path);
        settings.SetPrompter(&prompter);
        settings.MediumName = "new";
        if (settings.Save())
            return 1;
        if (prompter.Asked.size() != 1 || prompter.Asked[0].Kind != QuestionKind::SettingsNotSaved)
            return 2;
        return 0;
    });
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(ReadTextFile(path), old);
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0444));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "conf"),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
}

TEST(TSettingsSave, LinkIsWrittenThroughToItsTarget) {
    TempFolder folder;
    folder.Write("real/target.ini", "[Global]\r\n");
    MAKE_LINK_OR_SKIP("real/target.ini", folder / "vantrel.ini");
    TSettings settings(folder / "vantrel.ini");
    settings.MediumName = "through";
    ASSERT_TRUE(settings.Save());
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "vantrel.ini"));
    EXPECT_EQ(TSettings(folder / "real/target.ini").MediumName, "through");
}

// An installed program run as root wrote /usr/bin/vantrel.ini: beside the executable only for a
// copy in a folder of the user's own, the configuration folder's "vantrel" folder otherwise.
TEST(TSettingsPath, BesideAPortableCopyElseInTheConfigFolder) {
    SKIP_ON_WINDOWS("owners and the system's prefixes (Windows: win32/UserFoldersTest)");
    TempFolder folder;
    std::filesystem::create_directories(folder / "bin");
    const std::uint32_t me = EffectiveUser();
    const std::string config = "/cfg/vantrel/vantrel.ini";
    const struct {
        std::string Executable;
        std::uint32_t User;
        std::string Expected;
    } cases[] = {
        {folder / "bin/vantrel", me, folder / "bin/vantrel.ini"},
        {folder / "bin/vantrel.exe", me, folder / "bin/vantrel.ini"},
        {folder / "bin/vantrel", me + 1, config},  // a folder the user does not own
        {"/usr/bin/vantrel", 0, config},           // installed, run as root
        {"/usr/bin/vantrel", me + 1, config},
        {"/usr/local/bin/vantrel", 0, config},
        {"/opt/vantrel/vantrel", 0, config},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SettingsPathFor(c.Executable, "/cfg", c.User), c.Expected)
            << c.Executable << " as " << c.User;

    ScratchMount mount(folder / "ro", "64k");
    if (mount.MakeReadOnly() == 0)
        GTEST_SKIP() << "root without a way to make a read-only folder";
    EXPECT_EQ(SettingsPathFor(folder / "ro/vantrel", "/cfg", me), config);
}

// Settings kept in the old fallback place were lost to an installed program: they are read once
// into the new place, which then keeps its own.
TEST(TSettingsPath, TheOldFallbackFileIsCarriedOverOnce) {
    TempFolder folder;
    folder.Write("cfg/vantrel.ini", "[Global]\r\nMediumName=old\r\n");
    // A program in a folder the user cannot write (here: none at all) keeps its settings in the
    // configuration folder.
    const std::string program = folder / "absent/vantrel";
    const std::string path = SettingsFileFor(program, folder / "cfg", 0);
    EXPECT_EQ(path, folder / ("cfg/" + ProgramConfigFolderName() + "/vantrel.ini"));
    {
        TSettings settings(path);
        EXPECT_EQ(settings.MediumName, "old");
        settings.MediumName = "new";
        ASSERT_TRUE(settings.Save());
    }
    EXPECT_EQ(TSettings(SettingsFileFor(program, folder / "cfg", 0)).MediumName, "new");
}

// The POSIX systems' folders of the user; Windows's are tested in win32/UserFoldersTest.
#ifndef _WIN32
// Sets an environment variable (or removes it, for nullptr) for the life of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : Name(name) {
        const char* old = std::getenv(name);
        if (old != nullptr)
            Old = old;
        Set(value);
    }
    ~ScopedEnvironment() { Set(Old ? Old->c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void Set(const char* value) {
        if (value != nullptr)
            ::setenv(Name.c_str(), value, 1);
        else
            ::unsetenv(Name.c_str());
    }

    std::string Name;
    std::optional<std::string> Old;
};

TEST(TSettingsPath, ResultsGoIntoTheHomeFolder) {
    {
        ScopedEnvironment home("HOME", "/home/someone");
        EXPECT_EQ(DefaultResultsBaseDir(), "/home/someone/CDRs/");
        EXPECT_EQ(TSettings("/nonexistent/folder/v.ini").ResultsBaseDir, "/home/someone/CDRs/");
    }
    ScopedEnvironment home("HOME", "/home/other/");
    EXPECT_EQ(DefaultResultsBaseDir(), "/home/other/CDRs/");
}

TEST(TSettingsPath, ConfigFolderFollowsXdg) {
    ScopedEnvironment home("HOME", "/home/someone");
    {
        ScopedEnvironment xdg("XDG_CONFIG_HOME", "/xdg/config");
        EXPECT_EQ(UserConfigFolder(), "/xdg/config");
    }
    {
        ScopedEnvironment xdg("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(UserConfigFolder(), "/home/someone/.config");
    }
    ScopedEnvironment xdg("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(UserConfigFolder(), "/home/someone/.config");
}

TEST(TSettingsPath, TheProgramsOwnFileBearsItsName) {
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    // Beside the program where its folder can be written, else in the user's config folder.
    std::filesystem::path expected = ::access(program.parent_path().c_str(), W_OK) == 0
                                         ? program
                                         : UserConfigFolder() / program.filename();
    expected.replace_extension(".ini");
    TSettings settings;
    settings.AutoSave = false;
    EXPECT_EQ(settings.FilePath(), expected.string());
}
#endif

TEST(TSettingsTolerance, TextWithEitherSeparatorReadsBackExactly) {
    EXPECT_EQ(ToleranceText(99.9F, '.'), "99.9000015258789");
    EXPECT_EQ(ToleranceText(99.9F, ','), "99,9000015258789");
    EXPECT_EQ(ToleranceText(100.0F, ','), "100");
    for (const float value : {80.0F, 85.1234F, 99.9F, 99.9999F, 100.0F}) {
        for (const char separator : {'.', ','}) {
            float read = 0;
            ASSERT_TRUE(ParseTolerance(ToleranceText(value, separator), read));
            EXPECT_EQ(read, value) << separator;
        }
    }
}

}  // namespace
