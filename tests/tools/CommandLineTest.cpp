// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/doubles/TempFolder.h"

namespace {

std::variant<DivideCommand, std::string> Parse(std::vector<std::string_view> args) {
    return ParseDivideCommand(args);
}

TEST(CommandLineTest, BadArgumentsNameTheProblem) {
    // Numbers no type can hold: 400 nines (beyond double's range) and 300 nines (a finite
    // double, but no time limit the clock can count).
    const std::string nines400(400, '9');
    const std::string nines300(300, '9');
    const struct {
        std::vector<std::string_view> Args;
        const char* Message;
    } cases[] = {
        {{"--low-bound", "5"}, "missing --capacity"},
        {{"--capacity", "0", "--low-bound", "0"}, "greater than 0"},
        {{"--capacity", "10", "--low-bound", "11"}, "above the capacity"},
        {{"--capacity", "10"}, "missing --low-bound"},
        {{"--capacity", "x", "--low-bound", "1"}, "not an unsigned 64-bit decimal"},
        {{"--capacity"}, "needs a value"},
        {{"--capacity", "10", "--low-bound", "5", "--fast"}, "unknown option \"--fast\""},
        {{"--capacity", "10", "--low-bound", "5", "--medium-time-limit", "0"}, "above 0"},
        {{"--capacity", "10", "--tolerance", "79.9", "/tmp"}, "from 80 to 100"},
        {{"--capacity", "10", "--tolerance", "100.1", "/tmp"}, "from 80 to 100"},
        {{"--capacity", "10", "--tolerance", "99,9", "/tmp"}, "from 80 to 100"},
        {{"--capacity", "10", "--tolerance", "99"}, "needs paths"},
        {{"--capacity", "10", "--low-bound", "5", "/tmp"}, "not on paths"},
        {{"/tmp"}, "missing --capacity"},
        {{"--capacity", "10", "--tolerance", nines400, "/tmp"}, "from 80 to 100"},
        {{"--capacity", "10", "--tolerance", "99,5", "/tmp"}, "from 80 to 100"},
        {{"--capacity", nines400, "--low-bound", "1"}, "not an unsigned 64-bit decimal"},
        {{"--capacity", "10", "--low-bound", "5", "--medium-time-limit", nines400}, "above 0"},
        {{"--capacity", "10", "--low-bound", "5", "--medium-time-limit", nines300},
         "at most 1000000000"},
        {{"--capacity", "7x", "/tmp"}, "not a capacity"},
        {{"--capacity", "audio80", "/tmp"}, "it needs --music"},
        {{"--capacity", "10", "--pause", "1", "/tmp"}, "--pause works with --music"},
        {{"--capacity", "10", "--playlists", "o", "/tmp"}, "--playlists needs --music"},
        {{"--capacity", "10", "--group", "x", "/tmp"}, "--group needs a group number"},
        {{"--capacity", "10", "--yes", "--no", "/tmp"}, "exclude each other"},
        {{"--capacity", "10", "--oversized-files", "expand", "/tmp"}, "needs exclude or stop"},
        {{"--capacity", "10", "--name", "a/b", "/tmp"}, "cannot hold"},
        {{"--capacity", "10", "--copy", "", "/tmp"}, "--copy needs a folder"},
        {{"--capacity", "10", "--low-bound", "5", "--json"}, "--json needs paths"},
        {{"--music", "--capacity", "80min", "--disc-count", "/tmp"}, "not with --music"},
        {{"--capacity", "10", "--checksums", "/tmp"}, "--checksums works with --copy"},
    };
    for (const auto& c : cases) {
        const auto parsed = Parse(c.Args);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.Message;
        EXPECT_NE(std::get<std::string>(parsed).find(c.Message), std::string::npos)
            << std::get<std::string>(parsed);
    }
}

TEST(CommandLineTest, ModesAndTheirValues) {
    auto parsed = Parse({"--capacity", "480000", "--low-bound", "479520", "--exhaustive",
                         "--medium-time-limit", "1.5", "--stats"});
    ASSERT_TRUE(std::holds_alternative<DivideCommand>(parsed));
    const auto& units = std::get<DivideCommand>(parsed);
    EXPECT_EQ(units.Mode, DivideCommand::Kind::UnitList);
    EXPECT_EQ(units.UnitList.Capacity, 480000u);
    EXPECT_EQ(units.UnitList.LowBound, 479520u);
    EXPECT_TRUE(units.UnitList.Exhaustive);
    EXPECT_TRUE(units.UnitList.Stats);
    EXPECT_DOUBLE_EQ(units.UnitList.MediumTimeLimit, 1.5);

    parsed = Parse({"--capacity", "734003200", "a", "--tolerance", "80", "b"});
    ASSERT_TRUE(std::holds_alternative<DivideCommand>(parsed));
    const auto& folders = std::get<DivideCommand>(parsed);
    EXPECT_EQ(folders.Mode, DivideCommand::Kind::Collection);
    EXPECT_EQ(folders.Collection.Inputs,
              (std::vector<CollectionInput>{{"a", 0, false}, {"b", 0, false}}));
    EXPECT_EQ(folders.Collection.Division.Tolerance, 80.0f);

    // Options reach the collection mode: groups cover the paths after them, "-" and --from-file
    // are lists of paths, and the answers are set.
    parsed = Parse({"--music",     "--capacity",
                    "audio74",     "--pause",
                    "2",           "a",
                    "--group",     "3",
                    "b",           "-",
                    "--group",     "0",
                    "--from-file", "f",
                    "--name",      "cd",
                    "--yes",       "--oversized-folders",
                    "stop",        "--disc-tracks",
                    "add"});
    ASSERT_TRUE(std::holds_alternative<DivideCommand>(parsed));
    const auto& music = std::get<DivideCommand>(parsed).Collection;
    EXPECT_EQ(music.Inputs, (std::vector<CollectionInput>{
                                {"a", 0, false}, {"b", 3, false}, {"-", 3, true}, {"f", 0, true}}));
    EXPECT_EQ(music.Division.Capacity, 444000u);
    EXPECT_EQ(music.Division.Pause, 200u);
    EXPECT_EQ(music.Name, "cd");
    EXPECT_EQ(music.Answers.Clashes, ToolAnswers::Clash::Yes);
    EXPECT_EQ(music.Answers.OversizedFolder, ToolAnswers::Folder::Stop);
    EXPECT_EQ(music.Answers.DiscTracks, ToolAnswers::DiscTrack::Add);

    parsed = Parse({"--capacity", "10", "/x"});
    EXPECT_EQ(std::get<DivideCommand>(parsed).Collection.Division.Tolerance, 99.9f);
    EXPECT_EQ(std::get<DivideCommand>(Parse({"--help"})).Mode, DivideCommand::Kind::Help);
}

TEST(CommandLineTest, FolderModePrintsMediaAndDecisions) {
    constexpr std::uint64_t MB = 1048576;
    TempFolder folder;
    folder.MakeFile("in/big/x", 400 * MB);
    folder.MakeFile("in/big/y", 400 * MB);
    folder.MakeFile("in/huge", 800 * MB);
    folder.MakeFile("in/small", 300 * MB);
    CollectionOptions options;
    options.Division.Capacity = 700 * MB;
    options.Contents = true;
    options.Inputs = {{folder / "in"}};
    std::istringstream noInput;
    std::ostringstream out;
    std::ostringstream err;
    // The oversized file is left out, so not everything was placed.
    EXPECT_EQ(RunCollection(options, {noInput, out, err}), 1);
    EXPECT_EQ(out.str(), "Носитель 1\t700 МБ\n\t" + folder / "in/big/x" + "\n\t" +
                             folder / "in/small" + "\nНоситель 2\t400 МБ\n\t" +
                             folder / "in/big/y" + "\n");
    EXPECT_EQ(err.str(), "vantrel-divide: Папка «" + folder / "in/big" +
                             "» не помещается на выбранный носитель -> expanded\n"
                             "vantrel-divide: Файл «" +
                             folder / "in/huge" +
                             "» не помещается на выбранный носитель. -> excluded\n");

    options.Inputs = {{folder / "missing"}};
    std::ostringstream none;
    EXPECT_EQ(RunCollection(options, {noInput, none, err}), 2);
    EXPECT_TRUE(none.str().empty());
}

}  // namespace
