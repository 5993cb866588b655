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
    EXPECT_EQ(folders.Collection.Tolerance, 80.0f);

    parsed = Parse({"--capacity", "10", "/x"});
    EXPECT_EQ(std::get<DivideCommand>(parsed).Collection.Tolerance, 99.9f);
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
    options.Capacity = 700 * MB;
    options.Contents = true;
    options.Inputs = {{folder / "in"}};
    std::istringstream noInput;
    std::ostringstream out;
    std::ostringstream err;
    // The oversized file is left out, so not everything was placed.
    EXPECT_EQ(RunCollection(options, {noInput, out, err}), 1);
    const std::string in = folder / "in";
    EXPECT_EQ(out.str(), "Носитель 1\t700 МБ\n\t" + in + "/big/x\n\t" + in +
                             "/small\nНоситель 2\t400 МБ\n\t" + in + "/big/y\n");
    EXPECT_EQ(err.str(), "vantrel-divide: Папка «" + in +
                             "/big» не помещается на выбранный носитель -> expanded\n"
                             "vantrel-divide: Файл «" +
                             in + "/huge» не помещается на выбранный носитель. -> excluded\n");

    options.Inputs = {{folder / "missing"}};
    std::ostringstream none;
    EXPECT_EQ(RunCollection(options, {noInput, none, err}), 2);
    EXPECT_TRUE(none.str().empty());
}

}  // namespace
