// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CollectionJson.h"

#include <ostream>

#include "collection/Tdatamanager.h"
#include "tools/CollectionMode.h"
#include "tools/JsonText.h"
#include "tools/ToolPrompter.h"

namespace {

const char* Bool(bool value) {
    return value ? "true" : "false";
}

// What comes before the next element of a list: a line break, with a comma after the first.
const char* Next(std::size_t index) {
    return index == 0 ? "\n" : ",\n";
}

void WriteRequest(std::ostream& out, const CollectionOptions& options,
                  const TDataManager& manager) {
    const DivisionRequest& division = options.Division;
    const bool music = division.Kind == MusicTracks;
    out << "{\n  \"collection\": " << (music ? "\"music\"" : "\"files\"")
        << ",\n  \"capacity\": " << division.Capacity
        << ",\n  \"capacityText\": " << JsonString(manager.ValueText(division.Capacity))
        << ",\n  \"lowBound\": " << division.LowBound();
    if (music)
        out << ",\n  \"pause\": " << division.Pause;
    out << ",\n  \"discCount\": " << Bool(division.DiscCount);
    // How near the fewest possible a fewest-media division came; null for the other way.
    out << ",\n  \"fewestMedia\": ";
    if (const std::uint32_t bound = manager.GetMediaLowerBound(); bound != 0)
        out << "{\"bound\": " << bound
            << ", \"proven\": " << Bool(manager.GetMedia().size() <= bound) << "}";
    else
        out << "null";
}

void WriteMedia(std::ostream& out, const CollectionOptions& options, const TDataManager& manager) {
    out << ",\n  \"media\": [";
    std::uint64_t total = 0;
    std::size_t itemCount = 0;
    const auto& media = manager.GetMedia();
    for (std::size_t i = 0; i < media.size(); ++i) {
        const std::uint64_t sum = MediumTotal(media[i]);
        total = SaturatingAdd(total, sum);
        itemCount += media[i].size();
        out << Next(i) << "    {\"number\": " << i + 1 << ", \"total\": " << sum
            << ", \"totalText\": " << JsonString(manager.ValueText(sum));
        if (options.Division.DiscCount)
            out << ", \"footprint\": " << manager.MediumFootprint(i);
        out << ", \"items\": [";
        for (std::size_t j = 0; j < media[i].size(); ++j) {
            const TColItem& item = *media[i][j];
            out << Next(j) << "      {\"name\": " << JsonString(item.Name)
                << ", \"path\": " << JsonString(item.Path) << ", \"size\": " << item.Size
                << ", \"sizeText\": " << JsonString(manager.ValueText(item.Size))
                << ", \"group\": " << item.Group << "}";
        }
        out << (media[i].empty() ? "]}" : "\n    ]}");
    }
    out << (media.empty() ? "]" : "\n  ]") << ",\n  \"totals\": {\"media\": " << media.size()
        << ", \"items\": " << itemCount << ", \"size\": " << total
        << ", \"sizeText\": " << JsonString(manager.ValueText(total)) << "}";
}

void WriteDecisions(std::ostream& out, const ToolPrompter& prompter) {
    out << ",\n  \"decisions\": [";
    const auto& decisions = prompter.Decisions();
    for (std::size_t i = 0; i < decisions.size(); ++i)
        out << Next(i) << "    {\"question\": " << JsonString(decisions[i].Question)
            << ", \"text\": " << JsonString(decisions[i].Text)
            << ", \"answer\": " << JsonString(decisions[i].Answer) << "}";
    out << (decisions.empty() ? "]" : "\n  ]");
}

void WriteActions(std::ostream& out, const std::vector<ActionReport>& actions) {
    out << ",\n  \"actions\": [";
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const ActionReport& action = actions[i];
        out << Next(i) << "    {\"action\": " << JsonString(action.Action)
            << ", \"folder\": " << JsonString(action.Folder)
            << ", \"complete\": " << Bool(action.Complete) << ", \"written\": [";
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
    out << (actions.empty() ? "]" : "\n  ]");
}

}  // namespace

void WriteJson(std::ostream& out, const CollectionOptions& options, const TDataManager& manager,
               const ToolPrompter& prompter, const std::vector<ActionReport>& actions, RunEnd end) {
    WriteRequest(out, options, manager);
    WriteMedia(out, options, manager);
    WriteDecisions(out, prompter);
    WriteActions(out, actions);
    out << ",\n  \"interrupted\": " << Bool(end.Interrupted) << ",\n  \"status\": " << end.Status
        << "\n}\n"
        << std::flush;
}
