// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CommandLine.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "platform/NumberParsing.h"
#include "tools/MediumCapacity.h"

const char* const DivideUsage =
    "Usage: vantrel-divide --capacity C [OPTION...] PATH...\n"
    "       vantrel-divide --music --capacity C [OPTION...] PLAYLIST.m3u...\n"
    "       vantrel-divide --capacity C --low-bound L [--exhaustive] [--medium-time-limit S]\n"
    "                      [--stats] [--fewest-media]\n"
    "\n"
    "Divides files and folders, or the tracks of playlists, onto media of capacity C, the way\n"
    "the window does, and prints the plan: per medium the line \"Носитель N\", a tab and its\n"
    "total, then a tab and the path of each of its items. Asked to, it then writes lists or\n"
    "playlists, makes a folder of links or a disc image per medium, or copies or moves the\n"
    "items into one folder per medium.\n"
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
    "                           (also with unit totals; there --medium-time-limit bounds the\n"
    "                           whole search)\n"
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
    "  --name NAME              the medium name in the files and folders above (default disk)\n"
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
    "                           found so far (or the first that fits) and go on\n"
    "                           (S above 0, at most 1000000000)\n"
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

// The value of the word the text is, or nothing.
template <typename Value>
std::optional<Value> Choice(std::optional<std::string_view> text,
                            std::initializer_list<std::pair<std::string_view, Value>> words) {
    for (const auto& [word, value] : words)
        if (text && word == *text)
            return value;
    return std::nullopt;
}

}  // namespace

std::variant<DivideCommand, std::string> ParseDivideCommand(
    const std::vector<std::string_view>& args) {
    DivideCommand command;
    CollectionOptions& collection = command.Collection;
    ToolAnswers& answers = collection.Answers;
    std::optional<std::string_view> capacityText;
    std::optional<std::uint64_t> lowBound;
    std::optional<float> tolerance;
    bool unitOnlyOption = false;
    std::string collectionOption;  // the first option that needs paths
    bool pauseGiven = false;
    bool yes = false;
    bool no = false;
    std::uint32_t group = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const std::string name(arg);
        const auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        const bool needsPaths =
            arg == "--tolerance" || arg == "--music" || arg == "--contents" || arg == "--pause" ||
            arg == "--group" || arg == "--name" || arg == "--lists" || arg == "--playlists" ||
            arg == "--copy" || arg == "--move" || arg == "--symlinks" || arg == "--json" ||
            arg == "--quiet" || arg == "--yes" || arg == "--no" || arg == "--oversized-folders" ||
            arg == "--oversized-files" || arg == "--missing-entries" || arg == "--disc-tracks" ||
            arg == "--disc-count" || arg == "--iso" || arg == "--checksums";
        if (needsPaths && collectionOption.empty())
            collectionOption = name;
        if (arg == "--help" || arg == "-h") {
            command.Mode = DivideCommand::Kind::Help;
            return command;
        } else if (arg == "--exhaustive") {
            command.UnitList.Exhaustive = true;
            unitOnlyOption = true;
        } else if (arg == "--fewest-media") {
            command.UnitList.FewestMedia = true;
            collection.FewestMedia = true;
        } else if (arg == "--stats") {
            command.UnitList.Stats = true;
            unitOnlyOption = true;
        } else if (arg == "--capacity") {
            capacityText = value();
            if (!capacityText)
                return name + " needs a value";
        } else if (arg == "--low-bound") {
            const auto text = value();
            if (!text)
                return name + " needs a value";
            lowBound = ParseUnsigned64(*text);
            if (!lowBound)
                return name + ": not an unsigned 64-bit decimal: \"" + std::string(*text) + "\"";
        } else if (arg == "--tolerance") {
            const auto text = value();
            const auto percent = text ? ParseDecimal(*text) : std::nullopt;
            if (!percent || *percent < 80 || *percent > 100)
                return "--tolerance needs a percentage from 80 to 100";
            tolerance = static_cast<float>(*percent);
        } else if (arg == "--medium-time-limit") {
            const auto text = value();
            const auto seconds = text ? ParseDecimal(*text) : std::nullopt;
            if (!seconds || *seconds <= 0 || *seconds > static_cast<double>(MaxMediumTimeLimit))
                return "--medium-time-limit needs a number of seconds above 0 and at most " +
                       std::to_string(MaxMediumTimeLimit);
            command.UnitList.MediumTimeLimit = *seconds;
            unitOnlyOption = true;
        } else if (arg == "--music") {
            collection.Music = true;
        } else if (arg == "--contents") {
            collection.Contents = true;
        } else if (arg == "--disc-count") {
            collection.DiscCount = true;
        } else if (arg == "--checksums") {
            collection.Checksums = true;
        } else if (arg == "--json") {
            collection.Json = true;
        } else if (arg == "--quiet") {
            collection.Quiet = true;
        } else if (arg == "--yes") {
            yes = true;
            answers.Clashes = ToolAnswers::Clash::Yes;
        } else if (arg == "--no") {
            no = true;
            answers.Clashes = ToolAnswers::Clash::No;
        } else if (arg == "--pause") {
            const auto text = value();
            if (!text)
                return name + " needs a value";
            const auto pause = ParsePause(*text);
            if (const auto* message = std::get_if<std::string>(&pause))
                return *message;
            collection.Pause = std::get<std::uint32_t>(pause);
            pauseGiven = true;
        } else if (arg == "--group") {
            const auto text = value();
            const auto number = text ? ParseUnsigned64(*text) : std::nullopt;
            if (!number || *number > UINT32_MAX)
                return "--group needs a group number from 0 to " + std::to_string(UINT32_MAX);
            group = static_cast<std::uint32_t>(*number);
        } else if (arg == "--from-file") {
            const auto text = value();
            if (!text || text->empty())
                return name + " needs a file";
            collection.Inputs.push_back({std::string(*text), group, true});
        } else if (arg == "--lists" || arg == "--playlists" || arg == "--copy" || arg == "--move" ||
                   arg == "--symlinks" || arg == "--iso") {
            const auto text = value();
            if (!text || text->empty())
                return name + " needs a folder";
            std::string& folder = arg == "--lists"       ? collection.ListsFolder
                                  : arg == "--playlists" ? collection.PlaylistsFolder
                                  : arg == "--copy"      ? collection.CopyFolder
                                  : arg == "--move"      ? collection.MoveFolder
                                  : arg == "--iso"       ? collection.IsoFolder
                                                         : collection.SymlinksFolder;
            folder = std::string(*text);
        } else if (arg == "--name") {
            const auto text = value();
            if (!text)
                return name + " needs a value";
            if (text->find_first_of(std::string_view("/\0", 2)) != std::string_view::npos ||
                *text == "." || *text == "..")
                return "--name: a medium name cannot hold \"/\": \"" + std::string(*text) + "\"";
            collection.Name = std::string(*text);
        } else if (arg == "--oversized-folders") {
            const auto answer =
                Choice<ToolAnswers::Folder>(value(), {{"expand", ToolAnswers::Folder::Expand},
                                                      {"exclude", ToolAnswers::Folder::Exclude},
                                                      {"stop", ToolAnswers::Folder::Stop}});
            if (!answer)
                return name + " needs expand, exclude or stop";
            answers.OversizedFolder = *answer;
        } else if (arg == "--oversized-files") {
            const auto answer = Choice<ToolAnswers::File>(
                value(),
                {{"exclude", ToolAnswers::File::Exclude}, {"stop", ToolAnswers::File::Stop}});
            if (!answer)
                return name + " needs exclude or stop";
            answers.OversizedFile = *answer;
        } else if (arg == "--missing-entries") {
            const auto answer = Choice<ToolAnswers::Entry>(
                value(), {{"skip", ToolAnswers::Entry::Skip}, {"stop", ToolAnswers::Entry::Stop}});
            if (!answer)
                return name + " needs skip or stop";
            answers.MissingEntry = *answer;
        } else if (arg == "--disc-tracks") {
            const auto answer =
                Choice<ToolAnswers::DiscTrack>(value(), {{"skip", ToolAnswers::DiscTrack::Skip},
                                                         {"add", ToolAnswers::DiscTrack::Add},
                                                         {"stop", ToolAnswers::DiscTrack::Stop}});
            if (!answer)
                return name + " needs skip, add or stop";
            answers.DiscTracks = *answer;
        } else if (arg == "-") {
            collection.Inputs.push_back({name, group, true});
        } else if (arg.starts_with("-")) {
            return "unknown option \"" + name + "\"";
        } else {
            collection.Inputs.push_back({name, group, false});
        }
    }
    if (!capacityText)
        return "missing --capacity";

    if (!collection.Inputs.empty()) {
        if (lowBound || unitOnlyOption)
            return "--low-bound, --exhaustive, --medium-time-limit and --stats work on unit "
                   "totals, not on paths";
        if (yes && no)
            return "--yes and --no exclude each other";
        if (pauseGiven && !collection.Music)
            return "--pause works with --music";
        if (!collection.PlaylistsFolder.empty() && !collection.Music)
            return "--playlists needs --music: a playlist holds playing times";
        if (collection.Music && (collection.DiscCount || !collection.IsoFolder.empty()))
            return "--disc-count and --iso work on files, not with --music";
        if (collection.Checksums && collection.CopyFolder.empty())
            return "--checksums works with --copy";
        const auto capacity = ParseCapacity(*capacityText, collection.Music);
        if (const auto* message = std::get_if<std::string>(&capacity))
            return *message;
        command.Mode = DivideCommand::Kind::Collection;
        collection.Capacity = std::get<std::uint64_t>(capacity);
        if (tolerance)
            collection.Tolerance = *tolerance;
        return command;
    }
    const auto capacity = ParseUnsigned64(*capacityText);
    if (!capacity)
        return "--capacity: not an unsigned 64-bit decimal: \"" + std::string(*capacityText) + "\"";
    if (*capacity == 0)
        return "the capacity must be greater than 0";
    if (!collectionOption.empty())
        return collectionOption + " needs paths to divide";
    if (!lowBound)
        return "missing --low-bound";
    if (*lowBound > *capacity)
        return "the low bound lies above the capacity";
    command.UnitList.Capacity = *capacity;
    command.UnitList.LowBound = *lowBound;
    return command;
}
