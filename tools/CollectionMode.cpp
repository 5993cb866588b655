// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CollectionMode.h"

#include <optional>
#include <string>
#include <vector>

#include "collection/ResultsService.h"
#include "collection/Tdatamanager.h"
#include "divide/Dividethread.h"
#include "platform/IconList.h"
#include "platform/InMemoryListView.h"
#include "platform/LoopUiThread.h"
#include "platform/SystemFileOperations.h"
#include "tools/CollectionInputs.h"
#include "tools/CollectionJson.h"
#include "tools/MinimumText.h"
#include "tools/RunProgress.h"
#include "tools/StatusLine.h"
#include "tools/SymlinkFarm.h"
#include "tools/Ticker.h"
#include "tools/UnitListMode.h"

namespace {

constexpr const char* Program = "vantrel-divide: ";

// The actions a run can take, in the order they are taken: the Results page's through the
// results service, and the folders of links, which are the tool's own.
struct ActionStep {
    const char* Name;
    std::string CollectionOptions::*Folder;
    std::optional<ResultsAction> Action;  // none: the folders of links
    const char* FilesUse;                 // what tracks of an audio disc are no files to
};
const ActionStep Steps[] = {
    {"lists", &CollectionOptions::ListsFolder, ResultsAction::TextLists, nullptr},
    {"playlists", &CollectionOptions::PlaylistsFolder, ResultsAction::Playlists, nullptr},
    {"symlinks", &CollectionOptions::SymlinksFolder, std::nullopt, "link to"},
    {"iso", &CollectionOptions::IsoFolder, ResultsAction::Images, "put in an image"},
    {"copy", &CollectionOptions::CopyFolder, ResultsAction::Copy, "copy"},
    {"move", &CollectionOptions::MoveFolder, ResultsAction::Move, "move"},
};

// One run: the core the window uses, with the tool's own prompter, progress and listener.
class CollectionRun {
public:
    CollectionRun(const CollectionOptions& options, const CollectionStreams& streams)
        : Options(options),
          Streams(streams),
          Status(streams.Err, streams.ErrIsTerminal && !options.Quiet),
          Prompter(options.Answers, Status),
          Progress(Status, streams.Interrupted),
          FileOperations(Prompter, Progress),
          Listener(!options.Json, streams.Out, Status),
          Manager(CollectionView, MediumView,
                  TDataManagerHost{Prompter, UiThread, Listener, FileOperations, Icons}) {
        Manager.SetCollectionType(options.Division.Kind);
        Manager.SetCountHidden(options.CountHidden);
        Listener.Manager = &Manager;
    }

    int Run(const std::vector<PlannedInput>& inputs);

private:
    // False when nothing was divided; the exit status is then set.
    bool Divide();
    void Act(const ActionStep& step);
    ActionReport LinkMedia(const std::string& folder);
    bool Stopped() {
        Interrupted = Interrupted || Streams.Interrupted();
        return Interrupted;
    }
    int Finish(int status);

    const CollectionOptions& Options;
    const CollectionStreams& Streams;
    InMemoryListView CollectionView;
    InMemoryListView MediumView{true};
    StatusLine Status;
    ToolPrompter Prompter;
    LoopUiThread UiThread;
    CopyProgress Progress;
    SystemFileOperations FileOperations;
    PlainIconList Icons;
    PlanListener Listener;
    TDataManager Manager;
    std::vector<ActionReport> Actions;
    bool Interrupted = false;
    int EndStatus = ExitPlaced;
};

int CollectionRun::Run(const std::vector<PlannedInput>& inputs) {
    if (const auto ended =
            AddInputs(Manager, CollectionView, Prompter, Status, inputs, Streams.Interrupted))
        return *ended;
    if (!Divide())
        return Finish(EndStatus);
    for (const ActionStep& step : Steps)
        if (!(Options.*step.Folder).empty() && !Stopped())
            Act(step);
    if (Stopped())
        return Finish(ExitInterrupted);
    bool allDone = true;
    const std::size_t mediaCount = Manager.GetMedia().size();
    for (const ActionReport& action : Actions) {
        allDone = allDone && action.Complete;
        if (!Options.Quiet)
            Status.Print(Program + action.Action + ": " + std::to_string(action.MediaDone) +
                         " of " + std::to_string(mediaCount) + " media done in \"" + action.Folder +
                         "\"");
    }
    return Finish(allDone && !Prompter.ItemsLeftOut() ? ExitPlaced : ExitNotAllDone);
}

bool CollectionRun::Divide() {
    const DivisionRequest& division = Options.Division;
    Prompter.SetStage(ToolPrompter::Stage::Preparation);
    Manager.SetMediumTimeLimit(MediumTimeLimitTicks(Options.MediumTimeLimit));
    if (!StartDivision(Manager, division)) {
        if (Prompter.StageFailed() || Prompter.StageStopped()) {
            EndStatus = ExitNotAllDone;
            return false;
        }
        Status.Print(Program + std::string("nothing to divide"));
        EndStatus = Prompter.ItemsLeftOut() ? ExitNotAllDone : ExitPlaced;
        return false;
    }
    Listener.Estimate = static_cast<std::uint64_t>(
        Manager.EstimateMediaCount(division.Capacity, division.SongPause()));
    bool stopping = false;
    {
        const Ticker ticker(UiThread, [&] {
            if (Listener.Ended)
                return;
            if (!stopping && Streams.Interrupted()) {
                stopping = true;
                Manager.StopDivision();
            } else if (TDivideThread* thread = Manager.GetThread(); thread && !Options.Quiet) {
                thread->RequestProgress();
            }
        });
        UiThread.PumpUntil([&] { return Listener.Ended; });
    }
    Manager.DivisionFinished();
    Interrupted = stopping;
    if (stopping) {
        EndStatus = ExitInterrupted;
        return false;
    }
    if (const std::uint32_t bound = Manager.GetMediaLowerBound(); bound != 0 && !Options.Quiet)
        Status.Print(Program + MediaMinimumText(
                                   static_cast<std::uint32_t>(Manager.GetMedia().size()), bound));
    return true;
}

void CollectionRun::Act(const ActionStep& step) {
    const std::string& folder = Options.*step.Folder;
    Prompter.SetStage(step.Action == ResultsAction::TextLists ||
                              step.Action == ResultsAction::Playlists
                          ? ToolPrompter::Stage::Lists
                          : ToolPrompter::Stage::Collecting);
    if (!step.Action) {
        Actions.push_back(LinkMedia(folder));
        return;
    }
    const ResultsRequest request{.Action = *step.Action,
                                 .Medium = -1,
                                 .BaseFolder = folder,
                                 .MediumName = Options.Name,
                                 .Checksums = Options.Checksums,
                                 .Capacity = Options.Division.Capacity};
    const ResultsOutcome outcome = ProcessResults(Manager, request, Progress);
    ActionReport report;
    report.Action = step.Name;
    report.Folder = folder;
    report.Written = outcome.Written;
    report.MediaDone = outcome.Processed.Done;
    if (outcome.Refused == ResultsOutcome::Refusal::NoFiles) {
        report.Folder.clear();
        Prompter.Fail(std::string("--") + step.Name + ": tracks on an audio disc are no files to " +
                      step.FilesUse);
    } else if (outcome.Refused == ResultsOutcome::Refusal::BaseFolder) {
        Prompter.Fail("cannot make the folder \"" + folder + "\"");
    }
    report.Complete = outcome.AllDone() && !Prompter.StageFailed() && !Prompter.StageStopped();
    Actions.push_back(report);
}

ActionReport CollectionRun::LinkMedia(const std::string& folder) {
    ActionReport report;
    report.Action = "symlinks";
    if (!Manager.GetItemsAreFiles()) {
        Prompter.Fail("--symlinks: tracks on an audio disc are no files to link to");
        return report;
    }
    report.Folder = folder;
    const auto prefix = ResultsPrefix(folder, Options.Name);
    if (!prefix) {
        Prompter.Fail("cannot make the folder \"" + folder + "\"");
        return report;
    }
    report.Linked = MakeSymlinkFarm(Manager.GetMedia(), *prefix, Prompter, Options.Answers.Clashes,
                                    Streams.Interrupted);
    report.Complete = report.Linked.size() == Manager.GetMedia().size();
    report.MediaDone = report.Linked.size();
    for (const LinkedMedium& medium : report.Linked) {
        report.Written.push_back(medium.Folder);
        report.Complete = report.Complete && medium.Complete;
    }
    return report;
}

int CollectionRun::Finish(int status) {
    Status.Clear();
    if (Options.Json)
        WriteJson(Streams.Out, Options, Manager, Prompter, Actions, {Interrupted, status});
    return status;
}

}  // namespace

int RunCollection(const CollectionOptions& options, const CollectionStreams& streams) {
    const auto paths = ExpandInputs(options, streams);
    if (!paths)
        return ExitBadInput;
    if (streams.Interrupted())
        return ExitInterrupted;  // Ctrl+C while the paths were read
    const auto inputs = PlanInputs(*paths, options, streams.Err);
    if (!inputs)
        return ExitBadInput;
    CollectionRun run(options, streams);
    return run.Run(*inputs);
}
