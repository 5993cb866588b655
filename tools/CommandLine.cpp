// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CommandLine.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "collection/DivisionLimits.h"
#include "collection/MediumName.h"
#include "platform/NumberParsing.h"
#include "tools/MediumCapacity.h"

const char* const DivideUsage =
    "Usage: vantrel-divide --capacity C [OPTION...] PATH...\n"
    "       vantrel-divide --music --capacity C [OPTION...] PLAYLIST.m3u...\n"
    "       vantrel-divide --capacity C --low-bound L [--exhaustive] [--medium-time-limit S]\n"
    "                      [--stats] [--fewest-media]\n"
    "\n"
    "Divides files and folders, or the tracks of playlists, onto media of capacity C, the way\n"
    "the window does, and prints the plan: per medium the medium list's caption with its\n"
    "number N, a tab and its total, then a tab and the path of each of its items. Asked to, it\n"
    "then writes lists or playlists, makes a folder of links or a disc image per medium, or\n"
    "copies or moves the items into one folder per medium.\n"
    "\n"
    "Input:\n"
    "  PATH                     a file or a folder; a folder is one item (see --contents)\n"
    "  --contents               a folder PATH brings its files and subfolders as items\n"
    "  --music                  the PATHs are extended M3U playlists (*.m3u) and the items are\n"
    "                           their tracks, measured by playing time; entries are resolved\n"
    "                           against the playlist's folder\n"
    "  --pause S                with --music: seconds of pause counted after every track\n"
    "                           (0 to 10, default 1.5)\n"
    "  --group N                the paths after it, up to the next --group, form group N: the\n"
    "                           items of one group go onto one medium; --group 0 ends it\n"
    "  --from-file FILE         reads paths from FILE, one per line (empty lines skipped)\n"
    "  -                        reads paths from standard input, one per line\n"
    "\n"
    "Medium:\n"
    "  --capacity C             bytes: 734003200, or with K, M, G, T (powers of 1024): 700M,\n"
    "                           4.38G, 2048K; playing time with --music: 80min, 45m, 4800s,\n"
    "                           1.5h; or a preset: cd650, cd700, cd800, dvd (4483M),\n"
    "                           floppy (1457664), audio74, audio80, tape45\n"
    "  --tolerance P            fill each medium to at least P percent (80 to 100, default\n"
    "                           99.9)\n"
    "  --disc-count             count every file and folder as what it takes on an ISO 9660\n"
    "                           image (whole 2048-byte blocks, names, the image's own room),\n"
    "                           so that each medium's image surely fits\n"
    "  --fewest-media           divide onto as few media as can be found (the first media the\n"
    "                           fullest, the last the rest) instead of filling each medium in\n"
    "                           turn, and tell whether that number is proven the least\n"
    "                           (also with unit totals; --medium-time-limit then bounds the\n"
    "                           whole search)\n"
    "  --hidden                 count hidden files and folders (names beginning with \".\")\n"
    "                           inside folders, and write them with every action; without\n"
    "                           it they are left out, and a move leaves them in place\n"
    "\n"
    "Actions, in this order, on all media (none: only the plan):\n"
    "  --lists DIR              a numbered text list NAMEn.txt per medium in DIR\n"
    "  --playlists DIR          with --music: an extended M3U playlist NAMEn.m3u per medium\n"
    "  --symlinks DIR           a folder DIR/NAMEn per medium holding a symbolic link to each\n"
    "                           of its items; nothing is copied\n"
    "  --iso DIR                an ISO 9660 image DIR/NAMEn.iso per medium (Joliet and Rock\n"
    "                           Ridge names, MD5 checksums recorded); an image larger than C\n"
    "                           is kept and reported\n"
    "  --copy DIR               copies the items into a folder DIR/NAMEn per medium\n"
    "  --checksums              with --copy: a list DIR/NAMEn.sha256 per medium of the SHA-256\n"
    "                           of every file copied, computed while copying (sha256sum -c)\n"
    "  --move DIR               moves the items into a folder DIR/NAMEn per medium\n"
    "  --name NAME              the medium name in the files and folders above (default disk;\n"
    "                           none of \\ / : * ? \" < > |)\n"
    "  DIR is made when it is missing. Copies and moves never leave a partial file under its\n"
    "  final name and never lose a file; errors are reported and the entry skipped.\n"
    "\n"
    "Questions, answered without asking (each answer is written to standard error):\n"
    "  --oversized-folders expand|exclude|stop\n"
    "                           a folder larger than a medium is replaced by its contents\n"
    "                           (default), left out, or ends the run\n"
    "  --oversized-files exclude|stop\n"
    "                           a file or track larger than a medium is left out (default) or\n"
    "                           ends the run\n"
    "  --missing-entries skip|stop\n"
    "                           a playlist entry whose file is missing or whose playing time\n"
    "                           is unknown is skipped (default) or ends the run (status 2)\n"
    "  --disc-tracks skip|add|stop\n"
    "                           a playlist entry on an audio CD is skipped (default), added\n"
    "                           (then --copy, --move and --symlinks refuse), or ends the run\n"
    "  --yes                    a file already in a medium folder is replaced\n"
    "  --no                     a file already in a medium folder is kept, and a medium\n"
    "                           folder that is not empty ends the copying or moving\n"
    "  Without --yes or --no a file already there is kept and the medium folder is used.\n"
    "  A group larger than a medium ends the run (status 1).\n"
    "\n"
    "Output:\n"
    "  --json                   the plan as one JSON object on standard output, after the\n"
    "                           actions: media with items, sizes (bytes or hundredths of a\n"
    "                           second) and their texts, totals, decisions, actions and what\n"
    "                           each wrote, the exit status\n"
    "  --quiet                  no progress bar and no action summaries on standard error\n"
    "  --help                   this text\n"
    "  On a terminal, standard error shows a progress bar. Ctrl+C stops the search or a copy\n"
    "  cleanly: nothing partial is left under a final name.\n"
    "\n"
    "Unit totals (no PATH): reads one unit total per line from standard input (unsigned 64-bit\n"
    "decimals; the input order is the unit order) and divides the units onto media of capacity\n"
    "C (a plain number), accepting a medium as soon as its total lies between L and C. Prints\n"
    "one line per medium: the 0-based input indices of its units in ascending order, separated\n"
    "by spaces. When a unit cannot fit on a medium at all, the last line is FAILED.\n"
    "  --low-bound L            fill at which a medium is good enough (at most C)\n"
    "  --exhaustive             the plain enumeration, without skipping hopeless subtrees\n"
    "  --medium-time-limit S    after S seconds on one medium take the best combination\n"
    "                           found so far (or the first that fits) and go on; with\n"
    "                           paths too (S above 0, at most 1000000000)\n"
    "  --stats                  per medium on standard error: units left, and per pass the\n"
    "                           element count and the evaluations made\n"
    "\n"
    "Examples:\n"
    "  vantrel-divide --capacity cd700 --copy out/ ~/Photos\n"
    "  vantrel-divide --capacity dvd --contents --symlinks burn/ --name dvd ~/Video\n"
    "  vantrel-divide --capacity cd700 --disc-count --iso images/ ~/Photos\n"
    "  vantrel-divide --music --capacity audio80 --playlists out/ album1.m3u album2.m3u\n"
    "  vantrel-divide --music --capacity 45m --pause 2 --group 1 a.m3u --group 0 b.m3u\n"
    "  find ~/Photos -name '*.jpg' | vantrel-divide --capacity 4.38G --json -\n"
    "  printf '600\\n500\\n100\\n90\\n' | vantrel-divide --capacity 700 --low-bound 699\n"
    "\n"
    "Exit status: 0 when everything was placed and done; 1 when some item could not be placed\n"
    "or was left out, after FAILED, or when an action failed; 2 on bad input (an unknown\n"
    "option, a bad value, a missing path, a playlist that cannot be read); 130 after Ctrl+C.\n";

namespace {

// About 31 years: far beyond any real run, and well inside what the steady clock's nanoseconds
// can hold, so the limit always converts to a clock duration.
constexpr std::int64_t MaxMediumTimeLimit = 1'000'000'000;

// What the options have said so far, besides the command itself.
struct ParseState {
    DivideCommand Command;
    bool Help = false;
    std::optional<std::string_view> CapacityText;
    std::optional<std::uint64_t> LowBound;
    bool UnitOnlyOption = false;
    std::string CollectionOption;  // the first option that needs paths
    bool PauseGiven = false;
    bool Yes = false;
    bool No = false;
    std::uint32_t Group = 0;

    CollectionOptions& Collection() { return Command.Collection; }
    ToolAnswers& Answers() { return Command.Collection.Answers; }
};

using Value = std::optional<std::string_view>;
// Applies an option: its name, and its value when it takes one (nothing when the arguments end
// before it). A message when the option or its value is wrong, else nothing.
using Apply = std::optional<std::string> (*)(ParseState&, std::string_view name, Value value);

// Which mode an option belongs to.
enum class OptionMode { Any, UnitTotals, Paths };

// One option of the command line: one row here is all a new option needs.
struct OptionRow {
    std::string_view Name;
    OptionMode Mode;
    bool TakesValue;
    Apply Applies;
};

using Message = std::optional<std::string>;

// The value of the word the text is, or nothing.
template <typename Word>
std::optional<Word> Choice(Value text,
                           std::initializer_list<std::pair<std::string_view, Word>> words) {
    for (const auto& [word, value] : words)
        if (text && word == *text)
            return value;
    return std::nullopt;
}

Message NeedsValue(std::string_view name) {
    return std::string(name) + " needs a value";
}

Message Capacity(ParseState& state, std::string_view name, Value value) {
    state.CapacityText = value;
    return value ? Message() : NeedsValue(name);
}

Message LowBound(ParseState& state, std::string_view name, Value value) {
    if (!value)
        return NeedsValue(name);
    state.LowBound = ParseUnsigned64(*value);
    if (!state.LowBound)
        return std::string(name) + ": not an unsigned 64-bit decimal: \"" + std::string(*value) +
               "\"";
    return std::nullopt;
}

Message Tolerance(ParseState& state, std::string_view, Value value) {
    const auto percent = value ? ParseDecimal(*value) : std::nullopt;
    if (!percent || !IsToleranceAllowed(*percent))
        return "--tolerance needs a percentage from 80 to 100";
    state.Collection().Division.Tolerance = static_cast<float>(*percent);
    return std::nullopt;
}

Message MediumTimeLimit(ParseState& state, std::string_view, Value value) {
    const auto seconds = value ? ParseDecimal(*value) : std::nullopt;
    if (!seconds || *seconds <= 0 || *seconds > static_cast<double>(MaxMediumTimeLimit))
        return "--medium-time-limit needs a number of seconds above 0 and at most " +
               std::to_string(MaxMediumTimeLimit);
    state.Command.UnitList.MediumTimeLimit = *seconds;
    state.Collection().MediumTimeLimit = *seconds;
    return std::nullopt;
}

Message Pause(ParseState& state, std::string_view name, Value value) {
    if (!value)
        return NeedsValue(name);
    const auto pause = ParsePause(*value);
    if (const auto* message = std::get_if<std::string>(&pause))
        return *message;
    state.Collection().Division.Pause = std::get<std::uint32_t>(pause);
    state.PauseGiven = true;
    return std::nullopt;
}

Message Group(ParseState& state, std::string_view, Value value) {
    const auto number = value ? ParseUnsigned64(*value) : std::nullopt;
    if (!number || *number > UINT32_MAX)
        return "--group needs a group number from 0 to " + std::to_string(UINT32_MAX);
    state.Group = static_cast<std::uint32_t>(*number);
    return std::nullopt;
}

Message FromFile(ParseState& state, std::string_view name, Value value) {
    if (!value || value->empty())
        return std::string(name) + " needs a file";
    state.Collection().Inputs.push_back({std::string(*value), state.Group, true});
    return std::nullopt;
}

template <std::string CollectionOptions::*Folder>
Message ActionFolder(ParseState& state, std::string_view name, Value value) {
    if (!value || value->empty())
        return std::string(name) + " needs a folder";
    state.Collection().*Folder = std::string(*value);
    return std::nullopt;
}

Message Name(ParseState& state, std::string_view name, Value value) {
    if (!value)
        return NeedsValue(name);
    if (!IsMediumNameAllowed(*value))
        return "--name: a medium name cannot hold any of \\ / : * ? \" < > |: \"" +
               std::string(*value) + "\"";
    state.Collection().Name = std::string(*value);
    return std::nullopt;
}

// An option without a value: the step given records what it asks for.
template <auto Step>
Message Set(ParseState& state, std::string_view, Value) {
    Step(state);
    return std::nullopt;
}

// An answer to a question, one of its words.
template <typename Word, Word ToolAnswers::*Answer, const char* Words>
Message AnswerOption(ParseState& state, std::string_view name, Value value,
                     std::initializer_list<std::pair<std::string_view, Word>> words) {
    const auto answer = Choice<Word>(value, words);
    if (!answer)
        return std::string(name) + " needs " + Words;
    state.Answers().*Answer = *answer;
    return std::nullopt;
}

constexpr char FolderWords[] = "expand, exclude or stop";
constexpr char FileWords[] = "exclude or stop";
constexpr char EntryWords[] = "skip or stop";
constexpr char TrackWords[] = "skip, add or stop";

Message OversizedFolders(ParseState& state, std::string_view name, Value value) {
    using Folder = ToolAnswers::Folder;
    return AnswerOption<Folder, &ToolAnswers::OversizedFolder, FolderWords>(
        state, name, value,
        {{"expand", Folder::Expand}, {"exclude", Folder::Exclude}, {"stop", Folder::Stop}});
}

Message OversizedFiles(ParseState& state, std::string_view name, Value value) {
    using File = ToolAnswers::File;
    return AnswerOption<File, &ToolAnswers::OversizedFile, FileWords>(
        state, name, value, {{"exclude", File::Exclude}, {"stop", File::Stop}});
}

Message MissingEntries(ParseState& state, std::string_view name, Value value) {
    using Entry = ToolAnswers::Entry;
    return AnswerOption<Entry, &ToolAnswers::MissingEntry, EntryWords>(
        state, name, value, {{"skip", Entry::Skip}, {"stop", Entry::Stop}});
}

Message DiscTracks(ParseState& state, std::string_view name, Value value) {
    using Track = ToolAnswers::DiscTrack;
    return AnswerOption<Track, &ToolAnswers::DiscTracks, TrackWords>(
        state, name, value, {{"skip", Track::Skip}, {"add", Track::Add}, {"stop", Track::Stop}});
}

constexpr auto Any = OptionMode::Any;
constexpr auto Units = OptionMode::UnitTotals;
constexpr auto Paths = OptionMode::Paths;

const OptionRow Options[] = {
    {"--help", Any, false, Set<[](ParseState& s) { s.Help = true; }>},
    {"-h", Any, false, Set<[](ParseState& s) { s.Help = true; }>},
    {"--exhaustive", Units, false,
     Set<[](ParseState& s) { s.Command.UnitList.Exhaustive = true; }>},
    {"--stats", Units, false, Set<[](ParseState& s) { s.Command.UnitList.Stats = true; }>},
    {"--fewest-media", Any, false, Set<[](ParseState& s) {
         s.Command.UnitList.FewestMedia = true;
         s.Collection().Division.Method = DivisionMethod::FewestMedia;
     }>},
    {"--capacity", Any, true, Capacity},
    {"--low-bound", Any, true, LowBound},
    {"--tolerance", Paths, true, Tolerance},
    {"--medium-time-limit", Any, true, MediumTimeLimit},
    {"--music", Paths, false,
     Set<[](ParseState& s) { s.Collection().Division.Kind = MusicTracks; }>},
    {"--contents", Paths, false, Set<[](ParseState& s) { s.Collection().Contents = true; }>},
    {"--disc-count", Paths, false,
     Set<[](ParseState& s) { s.Collection().Division.DiscCount = true; }>},
    {"--checksums", Paths, false, Set<[](ParseState& s) { s.Collection().Checksums = true; }>},
    {"--hidden", Paths, false, Set<[](ParseState& s) { s.Collection().CountHidden = true; }>},
    {"--json", Paths, false, Set<[](ParseState& s) { s.Collection().Json = true; }>},
    {"--quiet", Paths, false, Set<[](ParseState& s) { s.Collection().Quiet = true; }>},
    {"--yes", Paths, false, Set<[](ParseState& s) {
         s.Yes = true;
         s.Answers().Clashes = ToolAnswers::Clash::Yes;
     }>},
    {"--no", Paths, false, Set<[](ParseState& s) {
         s.No = true;
         s.Answers().Clashes = ToolAnswers::Clash::No;
     }>},
    {"--pause", Paths, true, Pause},
    {"--group", Paths, true, Group},
    {"--from-file", Any, true, FromFile},
    {"--lists", Paths, true, ActionFolder<&CollectionOptions::ListsFolder>},
    {"--playlists", Paths, true, ActionFolder<&CollectionOptions::PlaylistsFolder>},
    {"--copy", Paths, true, ActionFolder<&CollectionOptions::CopyFolder>},
    {"--move", Paths, true, ActionFolder<&CollectionOptions::MoveFolder>},
    {"--symlinks", Paths, true, ActionFolder<&CollectionOptions::SymlinksFolder>},
    {"--iso", Paths, true, ActionFolder<&CollectionOptions::IsoFolder>},
    {"--name", Paths, true, Name},
    {"--oversized-folders", Paths, true, OversizedFolders},
    {"--oversized-files", Paths, true, OversizedFiles},
    {"--missing-entries", Paths, true, MissingEntries},
    {"--disc-tracks", Paths, true, DiscTracks},
};

// An argument that is no option: a path, or "-" for the paths on standard input.
Message Path(ParseState& state, std::string_view arg) {
    if (arg != "-" && arg.starts_with("-"))
        return "unknown option \"" + std::string(arg) + "\"";
    state.Collection().Inputs.push_back({std::string(arg), state.Group, arg == "-"});
    return std::nullopt;
}

// The collection mode's checks once every option is read.
Message FinishCollection(ParseState& state) {
    CollectionOptions& collection = state.Collection();
    const bool music = collection.Division.Kind == MusicTracks;
    if (state.LowBound || state.UnitOnlyOption)
        return "--low-bound, --exhaustive and --stats work on unit totals, not on paths";
    if (state.Yes && state.No)
        return "--yes and --no exclude each other";
    if (state.PauseGiven && !music)
        return "--pause works with --music";
    if (!collection.PlaylistsFolder.empty() && !music)
        return "--playlists needs --music: a playlist holds playing times";
    if (music && (collection.Division.DiscCount || !collection.IsoFolder.empty()))
        return "--disc-count and --iso work on files, not with --music";
    if (collection.Checksums && collection.CopyFolder.empty())
        return "--checksums works with --copy";
    const auto capacity = ParseCapacity(*state.CapacityText, music);
    if (const auto* message = std::get_if<std::string>(&capacity))
        return *message;
    state.Command.Mode = DivideCommand::Kind::Collection;
    collection.Division.Capacity = std::get<std::uint64_t>(capacity);
    return std::nullopt;
}

// The unit-list mode's checks once every option is read.
Message FinishUnitList(ParseState& state) {
    const auto capacity = ParseUnsigned64(*state.CapacityText);
    if (!capacity)
        return "--capacity: not an unsigned 64-bit decimal: \"" + std::string(*state.CapacityText) +
               "\"";
    if (*capacity == 0)
        return std::string("the capacity must be greater than 0");
    if (!state.CollectionOption.empty())
        return state.CollectionOption + " needs paths to divide";
    if (!state.LowBound)
        return std::string("missing --low-bound");
    if (*state.LowBound > *capacity)
        return std::string("the low bound lies above the capacity");
    state.Command.UnitList.Capacity = *capacity;
    state.Command.UnitList.LowBound = *state.LowBound;
    return std::nullopt;
}

}  // namespace

std::variant<DivideCommand, std::string> ParseDivideCommand(
    const std::vector<std::string_view>& args) {
    ParseState state;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const auto row =
            std::find_if(std::begin(Options), std::end(Options),
                         [arg](const OptionRow& option) { return option.Name == arg; });
        if (row == std::end(Options)) {
            if (const Message message = Path(state, arg))
                return *message;
            continue;
        }
        if (row->Mode == OptionMode::Paths && state.CollectionOption.empty())
            state.CollectionOption = std::string(arg);
        state.UnitOnlyOption = state.UnitOnlyOption || row->Mode == OptionMode::UnitTotals;
        Value value;
        if (row->TakesValue && i + 1 < args.size())
            value = args[++i];
        if (const Message message = row->Applies(state, arg, value))
            return *message;
        if (state.Help) {
            state.Command.Mode = DivideCommand::Kind::Help;
            return state.Command;
        }
    }
    if (!state.CapacityText)
        return std::string("missing --capacity");
    const Message message =
        state.Collection().Inputs.empty() ? FinishUnitList(state) : FinishCollection(state);
    if (message)
        return *message;
    return state.Command;
}
