// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CollectionInputs.h"

#include <fstream>
#include <functional>
#include <istream>
#include <ostream>
#include <set>

#include "items/PlaylistFormat.h"
#include "platform/FileSystem.h"
#include "platform/InMemoryListView.h"
#include "platform/Utf8Path.h"
#include "tools/CollectionMode.h"
#include "tools/StatusLine.h"
#include "tools/ToolPrompter.h"

namespace {

constexpr const char* Program = "vantrel-divide: ";

// Appends the paths a list file names, one per line; false (after a message) when it cannot be
// read.
bool ReadListFile(const CollectionInput& input, const CollectionStreams& streams,
                  std::vector<CollectionInput>& paths) {
    std::ifstream file;
    if (input.Path != "-") {
        if (const auto attributes = ReadPathAttributes(input.Path);
            attributes && !attributes->Directory)
            file.open(Utf8Path(input.Path), std::ios::binary);
        if (!file.is_open()) {
            streams.Err << Program << "cannot read the list of paths \"" << input.Path << "\"\n";
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
    return true;
}

// The path checked and made full, with the add command of the window's that adds it.
std::optional<PlannedInput> Plan(const CollectionInput& input, bool music, bool contents,
                                 std::ostream& err) {
    const auto attributes = ReadPathAttributes(input.Path);
    if (!attributes) {
        err << Program << "no such file or folder: \"" << input.Path << "\"\n";
        return std::nullopt;
    }
    if (music && (attributes->Directory || !HasPlaylistExtension(input.Path))) {
        err << Program << "not an M3U playlist (*.m3u): \"" << input.Path << "\"\n";
        return std::nullopt;
    }
    return PlannedInput{FullPath(input.Path), input.Group,
                        music                    ? AddFromPlaylist
                        : !attributes->Directory ? AddFiles
                        : contents               ? AddFromFolder
                                                 : AddFolder};
}

std::set<const void*> ItemCells(const TDataManager& manager) {
    std::set<const void*> cells;
    for (const TColItem& item : manager.GetItems())
        cells.insert(item.Position.get());
    return cells;
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

}  // namespace

std::optional<std::vector<CollectionInput>> ExpandInputs(const CollectionOptions& options,
                                                         const CollectionStreams& streams) {
    std::vector<CollectionInput> paths;
    for (const CollectionInput& input : options.Inputs) {
        if (!input.ListFile)
            paths.push_back(input);
        else if (!ReadListFile(input, streams, paths))
            return std::nullopt;
    }
    return paths;
}

std::optional<std::vector<PlannedInput>> PlanInputs(const std::vector<CollectionInput>& paths,
                                                    const CollectionOptions& options,
                                                    std::ostream& err) {
    std::vector<PlannedInput> planned;
    for (const CollectionInput& input : paths) {
        const auto plan = Plan(input, options.Division.Kind == MusicTracks, options.Contents, err);
        if (!plan)
            return std::nullopt;
        planned.push_back(*plan);
    }
    return planned;
}

std::optional<int> AddInputs(TDataManager& manager, InMemoryListView& collectionView,
                             ToolPrompter& prompter, StatusLine& status,
                             const std::vector<PlannedInput>& inputs,
                             const std::function<bool()>& interrupted) {
    const bool music = manager.GetCollectionType() == MusicTracks;
    prompter.SetStage(ToolPrompter::Stage::Input);
    for (std::size_t first = 0; first < inputs.size();) {
        const std::uint32_t group = inputs[first].Group;
        std::vector<std::string> run{inputs[first].Path};
        std::size_t next = first + 1;
        for (; !music && next < inputs.size() && inputs[next].Group == group &&
               inputs[next].Method == inputs[first].Method;
             ++next)
            run.push_back(inputs[next].Path);
        const std::set<const void*> before =
            group != 0 ? ItemCells(manager) : std::set<const void*>();
        manager.AddItems(run, inputs[first].Method);
        // A playlist that cannot be read stops the run. Files and folders whose size cannot be
        // read were told of and the run goes on without what they hold.
        if (prompter.StageStopped() || (music && prompter.StageFailed())) {
            if (prompter.StageFailed())
                status.Print(Program + std::string("cannot read the playlist \"") + run.front() +
                             "\"");
            return ExitBadInput;
        }
        if (prompter.StageFailed())
            prompter.NoteLeftOut();
        if (group != 0)
            GroupNewItems(manager, collectionView, before, group);
        first = next;
        if (interrupted())
            return ExitInterrupted;
    }
    return std::nullopt;
}
