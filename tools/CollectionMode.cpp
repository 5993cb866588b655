// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CollectionMode.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <set>
#include <sstream>
#include <system_error>
#include <thread>

#include "collection/Tdatamanager.h"
#include "divide/Dividethread.h"
#include "divide/LowBound.h"
#include "items/DivisionListener.h"
#include "items/PlaylistFormat.h"
#include "platform/FileOperationProgress.h"
#include "platform/FileSystem.h"
#include "platform/IconList.h"
#include "platform/InMemoryListView.h"
#include "platform/LoopUiThread.h"
#include "platform/PathNames.h"
#include "platform/PosixFileOperations.h"
#include "platform/SizeArithmetic.h"
#include "tools/JsonText.h"
#include "tools/MinimumText.h"
#include "tools/StatusLine.h"
#include "tools/SymlinkFarm.h"

namespace {

constexpr const char* Program = "vantrel-divide: ";
constexpr const char* MediumCaption = "Носитель ";
// The names the core gives a medium's image and checksum list after its prefix and number.
constexpr const char* ImageExtension = ".iso";
constexpr const char* ChecksumExtension = ".sha256";
// How often the run looks for an interrupt and asks the search for its progress.
constexpr auto TickInterval = std::chrono::milliseconds(100);

// Prints every medium as it is delivered, the way the results page lists it, and shows the
// search's progress on the status line.
class PlanListener : public DivisionListener {
public:
    PlanListener(bool print, std::ostream& out, StatusLine& status)
        : Print(print), Out(out), Status(status) {}

    void addResultMedium() override {
        const std::size_t number = Manager->GetMedia().size();
        if (Print) {
            const TMedium& medium = Manager->GetMedia().back();
            std::uint64_t sum = 0;
            for (const auto& item : medium)
                sum = SaturatingAdd(sum, item->Size);
            Status.Clear();
            Out << MediumCaption << number << '\t' << Manager->ValueText(sum) << '\n';
            for (const auto& item : medium)
                Out << '\t' << item->Path << '\n';
            Out << std::flush;
        }
        Show();
    }
    void ShowDivisionProgress(std::int32_t, std::uint32_t, std::uint64_t,
                              std::uint32_t unitsLeft) override {
        UnitsLeft = unitsLeft;
        Show();
    }
    void DivisionEnded() override {
        Ended = true;
        Status.Clear();
    }

    // The data manager whose media are delivered; set before the division starts.
    const TDataManager* Manager = nullptr;
    std::uint64_t Estimate = 0;
    bool Ended = false;

private:
    void Show() {
        const std::size_t media = Manager->GetMedia().size();
        Status.Show(ProgressBar(media, Estimate) + " media: " + std::to_string(media) +
                    " of about " + std::to_string(Estimate) +
                    ", units left: " + std::to_string(UnitsLeft));
    }

    bool Print;
    std::ostream& Out;
    StatusLine& Status;
    std::uint32_t UnitsLeft = 0;
};

// A file operation's progress as a bar on the status line; a cancel is the interrupt.
class CopyProgress : public FileOperationProgress {
public:
    CopyProgress(StatusLine& status, const std::function<bool()>& interrupted)
        : Status(status), Interrupted(interrupted) {}

    void Started(const std::string& title, std::uint64_t totalBytes, std::size_t number,
                 std::size_t count) override {
        Title = count > 1
                    ? title + " (" + std::to_string(number) + "/" + std::to_string(count) + ")"
                    : title;
        Total = totalBytes;
        Advanced(0, std::string());
    }
    void Advanced(std::uint64_t bytesDone, const std::string&) override {
        Status.Show(ProgressBar(bytesDone, Total) + " " + Title);
    }
    bool CancelRequested() override { return Interrupted(); }
    void Finished() override { Status.Clear(); }

private:
    StatusLine& Status;
    const std::function<bool()>& Interrupted;
    std::string Title;
    std::uint64_t Total = 0;
};

// Posts a step to the loop at every tick until it is destroyed.
class Ticker {
public:
    Ticker(LoopUiThread& loop, std::function<void()> step)
        : Thread([this, &loop, step = std::move(step)] {
              while (!Stop.load()) {
                  std::this_thread::sleep_for(TickInterval);
                  loop.Post(step);
              }
          }) {}
    ~Ticker() {
        Stop.store(true);
        Thread.join();
    }
    Ticker(const Ticker&) = delete;
    Ticker& operator=(const Ticker&) = delete;

private:
    std::atomic<bool> Stop{false};
    std::thread Thread;
};

// What one action did, for the JSON report.
struct ActionReport {
    std::string Action;
    std::string Folder;
    std::vector<std::string> Written;  // files or medium folders
    std::size_t MediaDone = 0;
    std::vector<LinkedMedium> Linked;
    bool Complete = false;
};

// The paths named on the command line with the list files read; false (after a message) when a
// list file cannot be read.
bool ExpandInputs(const CollectionOptions& options, const CollectionStreams& streams,
                  std::vector<CollectionInput>& paths) {
    for (const CollectionInput& input : options.Inputs) {
        if (!input.ListFile) {
            paths.push_back(input);
            continue;
        }
        std::ifstream file;
        if (input.Path != "-") {
            if (const auto attributes = ReadPathAttributes(input.Path);
                attributes && !attributes->Directory)
                file.open(input.Path, std::ios::binary);
            if (!file.is_open()) {
                streams.Err << Program << "cannot read the list of paths \"" << input.Path
                            << "\"\n";
                return false;
            }
        }
        std::istream& in = input.Path == "-" ? streams.In : file;
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                paths.push_back({line, input.Group, false});
        }
    }
    return true;
}

// The full path as the window's dialogs give it: absolute, without "." or ".." parts or a
// delimiter at its end.
std::string FullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return path;
    return WithoutTrailingDelimiter(absolute.lexically_normal().string());
}

// Gives the items added since before was taken the group, as the window's group field does
// for the selected rows.
void GroupNewItems(TDataManager& manager, InMemoryListView& view,
                   const std::set<const void*>& before, std::uint32_t group) {
    for (std::size_t row = 0; row < view.RowCount(); ++row)
        if (before.count(view.RowData(row)) == 0)
            view.Select(row);
    manager.SetGroupOfSelected(group);
    for (auto& row : view.Rows)
        row.Selected = false;
}

std::set<const void*> ItemCells(const TDataManager& manager) {
    std::set<const void*> cells;
    for (const TColItem& item : manager.GetItems())
        cells.insert(item.Position.get());
    return cells;
}

void WriteJson(std::ostream& out, const CollectionOptions& options, const TDataManager& manager,
               std::uint64_t lowBound, const ToolPrompter& prompter,
               const std::vector<ActionReport>& actions, bool interrupted, int status) {
    out << "{\n  \"collection\": " << (options.Music ? "\"music\"" : "\"files\"")
        << ",\n  \"capacity\": " << options.Capacity
        << ",\n  \"capacityText\": " << JsonString(manager.ValueText(options.Capacity))
        << ",\n  \"lowBound\": " << lowBound;
    if (options.Music)
        out << ",\n  \"pause\": " << options.Pause;
    out << ",\n  \"discCount\": " << (options.DiscCount ? "true" : "false");
    // How near the fewest possible a fewest-media division came; null for the other way.
    out << ",\n  \"fewestMedia\": ";
    if (const std::uint32_t bound = manager.GetMediaLowerBound(); bound != 0)
        out << "{\"bound\": " << bound
            << ", \"proven\": " << (manager.GetMedia().size() <= bound ? "true" : "false") << "}";
    else
        out << "null";
    out << ",\n  \"media\": [";
    std::uint64_t total = 0;
    std::size_t itemCount = 0;
    const auto& media = manager.GetMedia();
    for (std::size_t i = 0; i < media.size(); ++i) {
        std::uint64_t sum = 0;
        for (const auto& item : media[i])
            sum = SaturatingAdd(sum, item->Size);
        total = SaturatingAdd(total, sum);
        itemCount += media[i].size();
        out << (i == 0 ? "\n" : ",\n") << "    {\"number\": " << i + 1 << ", \"total\": " << sum
            << ", \"totalText\": " << JsonString(manager.ValueText(sum));
        if (options.DiscCount)
            out << ", \"footprint\": " << manager.MediumFootprint(i);
        out << ", \"items\": [";
        for (std::size_t j = 0; j < media[i].size(); ++j) {
            const TColItem& item = *media[i][j];
            out << (j == 0 ? "\n" : ",\n") << "      {\"name\": " << JsonString(item.Name)
                << ", \"path\": " << JsonString(item.Path) << ", \"size\": " << item.Size
                << ", \"sizeText\": " << JsonString(manager.ValueText(item.Size))
                << ", \"group\": " << item.Group << "}";
        }
        out << (media[i].empty() ? "]}" : "\n    ]}");
    }
    out << (media.empty() ? "]" : "\n  ]") << ",\n  \"totals\": {\"media\": " << media.size()
        << ", \"items\": " << itemCount << ", \"size\": " << total
        << ", \"sizeText\": " << JsonString(manager.ValueText(total)) << "},\n  \"decisions\": [";
    const auto& decisions = prompter.Decisions();
    for (std::size_t i = 0; i < decisions.size(); ++i)
        out << (i == 0 ? "\n" : ",\n") << "    {\"question\": " << JsonString(decisions[i].Question)
            << ", \"text\": " << JsonString(decisions[i].Text)
            << ", \"answer\": " << JsonString(decisions[i].Answer) << "}";
    out << (decisions.empty() ? "]" : "\n  ]") << ",\n  \"actions\": [";
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const ActionReport& action = actions[i];
        out << (i == 0 ? "\n" : ",\n") << "    {\"action\": " << JsonString(action.Action)
            << ", \"folder\": " << JsonString(action.Folder)
            << ", \"complete\": " << (action.Complete ? "true" : "false") << ", \"written\": [";
        for (std::size_t j = 0; j < action.Written.size(); ++j)
            out << (j == 0 ? "" : ", ") << JsonString(action.Written[j]);
        out << "]";
        if (action.Action == "symlinks") {
            out << ", \"links\": [";
            for (std::size_t j = 0; j < action.Linked.size(); ++j)
                out << (j == 0 ? "" : ", ") << action.Linked[j].Links;
            out << "]";
        }
        out << "}";
    }
    out << (actions.empty() ? "]" : "\n  ]")
        << ",\n  \"interrupted\": " << (interrupted ? "true" : "false")
        << ",\n  \"status\": " << status << "\n}\n"
        << std::flush;
}

}  // namespace

int RunCollection(const CollectionOptions& options, const CollectionStreams& streams) {
    std::ostream& err = streams.Err;
    std::vector<CollectionInput> paths;
    if (!ExpandInputs(options, streams, paths))
        return ExitBadInput;
    if (streams.Interrupted())
        return ExitInterrupted;  // Ctrl+C while the paths were read
    // How each path is added, as the window's add commands do it.
    std::vector<AddMethod> methods;
    for (CollectionInput& input : paths) {
        const auto attributes = ReadPathAttributes(input.Path);
        if (!attributes) {
            err << Program << "no such file or folder: \"" << input.Path << "\"\n";
            return ExitBadInput;
        }
        if (options.Music && (attributes->Directory || !HasPlaylistExtension(input.Path))) {
            err << Program << "not an M3U playlist (*.m3u): \"" << input.Path << "\"\n";
            return ExitBadInput;
        }
        input.Path = FullPath(input.Path);
        methods.push_back(options.Music            ? AddFromPlaylist
                          : !attributes->Directory ? AddFiles
                          : options.Contents       ? AddFromFolder
                                                   : AddFolder);
    }

    InMemoryListView collectionView;
    InMemoryListView mediumView(true);
    StatusLine status(err, streams.ErrIsTerminal && !options.Quiet);
    ToolPrompter prompter(options.Answers, status);
    LoopUiThread uiThread;
    CopyProgress copyProgress(status, streams.Interrupted);
    PosixFileOperations fileOperations(prompter, copyProgress);
    PlainIconList icons;
    PlanListener planListener(!options.Json, streams.Out, status);
    TDataManager manager(collectionView, mediumView,
                         TDataManagerHost{prompter, uiThread, planListener, fileOperations, icons});
    manager.SetCollectionType(options.Music ? MusicTracks : FilesAndFolders);
    planListener.Manager = &manager;

    // The input, in runs of paths added the same way into the same group; each playlist on its
    // own, so that a playlist that cannot be read is named.
    prompter.SetStage(ToolPrompter::Stage::Input);
    for (std::size_t first = 0; first < paths.size();) {
        const std::uint32_t group = paths[first].Group;
        std::vector<std::string> run{paths[first].Path};
        std::size_t next = first + 1;
        for (; !options.Music && next < paths.size() && paths[next].Group == group &&
               methods[next] == methods[first];
             ++next)
            run.push_back(paths[next].Path);
        const std::set<const void*> before =
            group != 0 ? ItemCells(manager) : std::set<const void*>();
        manager.AddItems(run, methods[first]);
        if (prompter.StageFailed() || prompter.StageStopped()) {
            if (prompter.StageFailed())
                status.Print(Program + std::string("cannot read the playlist \"") + run.front() +
                             "\"");
            return ExitBadInput;
        }
        if (group != 0)
            GroupNewItems(manager, collectionView, before, group);
        first = next;
        if (streams.Interrupted())
            return ExitInterrupted;
    }

    const std::uint64_t lowBound = LowBoundOf(options.Capacity, options.Tolerance);
    const std::uint32_t pause = options.Music ? options.Pause : 0;
    std::vector<ActionReport> actions;
    bool interrupted = false;
    bool allDone = true;
    const auto finish = [&](int statusCode) {
        status.Clear();
        if (options.Json)
            WriteJson(streams.Out, options, manager, lowBound, prompter, actions, interrupted,
                      statusCode);
        return statusCode;
    };

    prompter.SetStage(ToolPrompter::Stage::Preparation);
    if (options.FewestMedia)
        manager.SetDivisionMethod(DivisionMethod::FewestMedia);
    if (!manager.PrepareDivision(options.Capacity, lowBound, pause, options.DiscCount)) {
        if (prompter.StageFailed() || prompter.StageStopped())
            return finish(ExitNotAllDone);
        status.Print(Program + std::string("nothing to divide"));
        return finish(prompter.ItemsLeftOut() ? ExitNotAllDone : ExitPlaced);
    }
    planListener.Estimate =
        static_cast<std::uint64_t>(manager.EstimateMediaCount(options.Capacity, pause));
    {
        bool stopping = false;
        const Ticker ticker(uiThread, [&] {
            if (planListener.Ended)
                return;
            if (!stopping && streams.Interrupted()) {
                stopping = true;
                manager.StopDivision();
            } else if (TDivideThread* thread = manager.GetThread(); thread && !options.Quiet) {
                thread->RequestProgress();
            }
        });
        uiThread.PumpUntil([&] { return planListener.Ended; });
        interrupted = stopping;
    }
    manager.DivisionFinished();
    if (interrupted)
        return finish(ExitInterrupted);
    if (const std::uint32_t bound = manager.GetMediaLowerBound(); bound != 0 && !options.Quiet)
        status.Print(Program + MediaMinimumText(
                                   static_cast<std::uint32_t>(manager.GetMedia().size()), bound));

    const std::size_t mediaCount = manager.GetMedia().size();
    const auto prefixIn = [&](const std::string& folder, ActionReport& report) {
        report.Folder = folder;
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error || !std::filesystem::is_directory(folder, error)) {
            prompter.Fail("cannot make the folder \"" + folder + "\"");
            return std::optional<std::string>();
        }
        return std::optional<std::string>(WithTrailingDelimiter(folder) + options.Name);
    };
    const auto writeLists = [&](const char* action, const std::string& folder,
                                const char* extension, bool playlists) {
        ActionReport report;
        report.Action = action;
        prompter.SetStage(ToolPrompter::Stage::Lists);
        if (const auto prefix = prefixIn(folder, report)) {
            // The writers stop at the first list they cannot write: the lists written are the
            // first.
            const std::size_t written = (playlists ? manager.SavePlaylists(-1, *prefix)
                                                   : manager.SaveTextLists(-1, *prefix))
                                            .Done;
            for (std::size_t i = 1; i <= written; ++i)
                report.Written.push_back(*prefix + std::to_string(i) + extension);
            report.MediaDone = written;
            report.Complete = written == mediaCount;
        }
        actions.push_back(report);
    };
    const auto collect = [&](const char* action, const std::string& folder, bool copy,
                             bool checksums) {
        ActionReport report;
        report.Action = action;
        prompter.SetStage(ToolPrompter::Stage::Collecting);
        if (!manager.GetItemsAreFiles()) {
            prompter.Fail(std::string("--") + action +
                          ": tracks on an audio disc are no files to " + action);
        } else if (const auto prefix = prefixIn(folder, report)) {
            const TProcessedMedia collected = manager.CollectFiles(-1, *prefix, copy, checksums);
            report.MediaDone = collected.Done;
            // A medium that failed may be followed by one that was done: what is there is told.
            std::error_code error;
            for (std::size_t i = 1; i <= collected.Done + collected.Failed; ++i) {
                const std::string medium = *prefix + std::to_string(i);
                if (std::filesystem::is_directory(medium, error))
                    report.Written.push_back(medium);
                if (checksums &&
                    std::filesystem::is_regular_file(medium + ChecksumExtension, error))
                    report.Written.push_back(medium + ChecksumExtension);
            }
            report.Complete =
                collected.Done == mediaCount && !prompter.StageFailed() && !prompter.StageStopped();
        }
        actions.push_back(report);
    };

    const auto stopped = [&] {
        interrupted = interrupted || streams.Interrupted();
        return interrupted;
    };
    if (!options.ListsFolder.empty() && !stopped())
        writeLists("lists", options.ListsFolder, ".txt", false);
    if (!options.PlaylistsFolder.empty() && !stopped())
        writeLists("playlists", options.PlaylistsFolder, PlaylistExtension.data(), true);
    if (!options.SymlinksFolder.empty() && !stopped()) {
        ActionReport report;
        report.Action = "symlinks";
        prompter.SetStage(ToolPrompter::Stage::Collecting);
        if (!manager.GetItemsAreFiles()) {
            prompter.Fail("--symlinks: tracks on an audio disc are no files to link to");
        } else if (const auto prefix = prefixIn(options.SymlinksFolder, report)) {
            report.Linked = MakeSymlinkFarm(manager.GetMedia(), *prefix, prompter,
                                            options.Answers.Clashes, streams.Interrupted);
            report.Complete = report.Linked.size() == mediaCount;
            report.MediaDone = report.Linked.size();
            for (const LinkedMedium& medium : report.Linked) {
                report.Written.push_back(medium.Folder);
                report.Complete = report.Complete && medium.Complete;
            }
        }
        actions.push_back(report);
    }
    if (!options.IsoFolder.empty() && !stopped()) {
        ActionReport report;
        report.Action = "iso";
        prompter.SetStage(ToolPrompter::Stage::Collecting);
        if (!manager.GetItemsAreFiles()) {
            prompter.Fail("--iso: tracks on an audio disc are no files to put in an image");
        } else if (const auto prefix = prefixIn(options.IsoFolder, report)) {
            // Images stop at the first that fails: the images made are the first.
            const std::size_t made =
                manager.MakeImages(-1, *prefix, options.Capacity, copyProgress).Done;
            for (std::size_t i = 1; i <= made; ++i)
                report.Written.push_back(*prefix + std::to_string(i) + ImageExtension);
            report.MediaDone = made;
            report.Complete = made == mediaCount && !prompter.StageFailed();
        }
        actions.push_back(report);
    }
    if (!options.CopyFolder.empty() && !stopped())
        collect("copy", options.CopyFolder, true, options.Checksums);
    if (!options.MoveFolder.empty() && !stopped())
        collect("move", options.MoveFolder, false, false);
    if (stopped())
        return finish(ExitInterrupted);

    for (const ActionReport& action : actions) {
        allDone = allDone && action.Complete;
        if (!options.Quiet)
            status.Print(Program + action.Action + ": " + std::to_string(action.MediaDone) +
                         " of " + std::to_string(mediaCount) + " media done in \"" + action.Folder +
                         "\"");
    }
    return finish(allDone && !prompter.ItemsLeftOut() ? ExitPlaced : ExitNotAllDone);
}
