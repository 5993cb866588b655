// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/Tdatamanager.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <limits>
#include <numeric>

#include "collection/ValueTexts.h"
#include "divide/Dividethread.h"
#include "items/PlaylistFormat.h"
#include "platform/FileSystem.h"
#include "platform/IconList.h"
#include "platform/ListView.h"
#include "platform/PathCompare.h"
#include "platform/Prompter.h"

namespace {

// The group column among a collection row's sub-items, which follow the name.
constexpr std::size_t GroupSubItem = GroupColumn - 1;

// The cell a list row's data pointer leads to.
const TItemPosition& CellOfRow(const ListView& view, std::size_t row) {
    return *static_cast<const TItemPosition*>(view.RowData(row));
}

}  // namespace

TDataManager::TDataManager(ListView& collectionView, ListView& mediumView,
                           const TDataManagerHost& host)
    : lstCollection(collectionView), lstMedium(mediumView), Host(host) {}

// Members go in reverse order of declaration: the thread object, then Groups, then Media, then
// Items, so whatever refers to items goes before the items. The window refuses to close while a
// division runs; should a thread object still be held, its destructor stops and joins it.
TDataManager::~TDataManager() = default;

std::pair<std::size_t, std::size_t> TDataManager::MediaRange(int index) const {
    if (index < 0)
        return {0, Media.size()};
    const auto only = static_cast<std::size_t>(index);
    return only < Media.size() ? std::pair{only, only + 1} : std::pair{only, only};
}

void TDataManager::AppendItem(TColItem item) {
    item.Position.reset();
    const std::uint64_t size = item.Size;
    Items.push_back(std::move(item));
    TColItem& placed = Items.back();
    placed.Position = std::make_unique<TItemPosition>(std::prev(Items.end()));
    TotalSize.Add(size);
}

void TDataManager::RemoveItem(TConstItemPosition item) {
    TotalSize.Subtract(item->Size);
    Items.erase(item);
}

void TDataManager::AddItems(const std::vector<std::string>& paths, int method) {
    if (Thread)
        return;  // the running division reads the collection
    // Paths that do not exist are not added, and items whose size is unknown are added but
    // named: the user hears of both once, after the collection is shown.
    std::vector<std::string> missing;
    std::vector<std::string> unmeasured;
    std::vector<std::string> notPlaylists;
    const auto append = [&](TColItem item) {
        if (item.Size == UnreadableFileSize)
            unmeasured.push_back(item.Path);
        AppendItem(std::move(item));
    };
    for (const std::string& path : paths) {
        switch (method) {
            case AddFiles:
            case AddFolder:
                if (ReadPathAttributes(path))
                    append(ItemFromPath(path, Host.icons, Tree));
                else
                    missing.push_back(path);
                break;
            case AddFromFolder: {
                const auto attributes = ReadPathAttributes(path);
                if (!attributes || !attributes->Directory)
                    break;
                const std::string base = WithTrailingDelimiter(path);
                // Entries found inside the folder: a link among them is the link, not its target.
                const auto listing = ListTreeFolder(path, Tree);
                for (const TreeEntry& entry : listing ? listing->Entries : std::vector<TreeEntry>())
                    append(ItemFromFolderEntry(base, entry, Host.icons, Tree));
                break;
            }
            case AddFromPlaylist:
            case AddFromWinamp: {
                // A path whose attributes cannot be read counts as a folder and is ignored.
                const auto attributes = ReadPathAttributes(path);
                if (attributes && !attributes->Directory && HasPlaylistExtension(path))
                    LoadPlaylist(path, CollectionType);
                else if (attributes)
                    notPlaylists.push_back(path);
                else
                    missing.push_back(path);
                break;
            }
            default:
                break;
        }
    }

    SortItemsByPath();
    if (!Items.empty()) {
        auto previous = Items.begin();
        for (auto current = std::next(previous); current != Items.end();) {
            if (SamePath(previous->Path, current->Path)) {
                const TConstItemPosition duplicate = current++;
                RemoveItem(duplicate);
            } else {
                previous = current++;
            }
        }
    }
    ShowCollection();
    for (auto [kind, entries] : {std::pair{QuestionKind::MissingEntries, &missing},
                                 std::pair{QuestionKind::NotPlaylists, &notPlaylists},
                                 std::pair{QuestionKind::UnmeasuredEntries, &unmeasured}}) {
        if (entries->empty())
            continue;
        Question notice(kind);
        notice.Paths = *entries;
        Host.prompter.Ask(notice);
    }
}

void TDataManager::SetCountHidden(bool count) {
    if (Thread || count == Tree.CountHidden)
        return;
    Tree.CountHidden = count;
    if (CollectionType != FilesAndFolders)
        return;  // tracks are measured by their playing time
    for (TColItem& item : Items) {
        TotalSize.Subtract(item.Size);
        item.Size = PathSize(item.Path, item.LinkItself, Tree);
        TotalSize.Add(item.Size);
    }
    Media.clear();
    lstMedium.Clear();
    ShowCollection();
}

void TDataManager::SortItemsByPath() {
    // Each path is collated once; the sort is stable and the nodes are only relinked, so
    // positions held by media and rows stay valid and an item already in the collection stays
    // ahead of a new duplicate.
    std::vector<TItemPosition> nodes;
    std::vector<const std::string*> paths;
    nodes.reserve(Items.size());
    paths.reserve(Items.size());
    for (auto item = Items.begin(); item != Items.end(); ++item) {
        nodes.push_back(item);
        paths.push_back(&item->Path);
    }
    const PathSortKeys keys(paths);
    std::vector<std::size_t> order(nodes.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t left, std::size_t right) { return keys.Less(left, right); });
    for (const std::size_t index : order)
        Items.splice(Items.end(), Items, nodes[index]);
}

void TDataManager::RemoveSelected() {
    if (Thread)
        return;  // the running division reads the collection
    // Take the positions first: a row's cell is freed with its item.
    std::vector<TItemPosition> removed;
    for (const std::size_t row : lstCollection.SelectedRows())
        removed.push_back(CellOfRow(lstCollection, row));
    for (const TItemPosition& item : removed)
        RemoveItem(item);
    lstCollection.DeleteSelected();
    if (Items.empty())
        ItemsAreFiles = true;
    Media.clear();
    lstMedium.Clear();
}

void TDataManager::SetGroupOfSelected(std::uint32_t group) {
    if (Thread)
        return;  // the running division has taken the groups
    const std::string text = GroupText(group, Language);
    for (const std::size_t row : lstCollection.SelectedRows()) {
        CellOfRow(lstCollection, row)->Group = group;
        lstCollection.SetSubItemText(row, GroupSubItem, text);
    }
}

void TDataManager::ShowCollection() {
    lstCollection.Clear();
    lstCollection.BeginUpdate();
    lstCollection.Reserve(Items.size());
    for (const TColItem& item : Items) {
        lstCollection.AddRow(item.Name, item.IconIndex,
                             {ValueText(item.Size), GroupText(item.Group, Language)},
                             item.Position.get());
    }
    lstCollection.EndUpdate();
}

std::string TDataManager::ShowMedium(std::size_t medium) {
    lstMedium.Clear();
    if (medium >= Media.size())
        return ValueText(0);  // callers never ask for a medium that does not exist
    const TMedium& shown = Media[medium];
    lstMedium.BeginUpdate();
    lstMedium.Reserve(shown.size());
    for (const TConstItemPosition& item : shown)
        lstMedium.AddRow(item->Name, item->IconIndex, {ValueText(item->Size)},
                         item->Position.get());
    lstMedium.EndUpdate();
    return ValueText(MediumTotal(shown));
}

std::string TDataManager::ValueText(std::uint64_t value) const {
    return ValueTextOf(CollectionType, value, Language);
}

std::string TDataManager::SelectionText() const {
    const std::vector<std::size_t> selected = lstCollection.SelectedRows();
    if (selected.size() == 1)
        return CellOfRow(lstCollection, selected.front())->Path;
    if (selected.size() > 1) {
        std::uint64_t sum = 0;
        for (const std::size_t row : selected)
            sum = SaturatingAdd(sum, CellOfRow(lstCollection, row)->Size);
        return ValueText(sum);
    }
    const std::vector<std::size_t> selectedInMedium = lstMedium.SelectedRows();
    if (!selectedInMedium.empty())
        return CellOfRow(lstMedium, selectedInMedium.front())->Path;
    return std::string();
}

void TDataManager::LocateItem(const TItemPosition* cell) {
    const auto row = lstCollection.FindData(cell, 0);
    if (!row)
        return;
    lstCollection.Select(*row);
    lstCollection.ScrollIntoView(*row);
}

std::int32_t TDataManager::EstimateMediaCount(std::uint64_t capacity, std::uint32_t pause) const {
    if (capacity == 0)
        return 0;
    // The pauses are counted as a 32-bit product, as the progress display always has.
    const std::uint32_t pauses = static_cast<std::uint32_t>(Items.size()) * pause;
    const std::uint64_t sum = SaturatingAdd(GetTotalSize(), pauses);
    const std::uint64_t count = sum / capacity + (sum % capacity != 0 ? 1 : 0);
    return count > static_cast<std::uint64_t>(INT32_MAX) ? INT32_MAX
                                                         : static_cast<std::int32_t>(count);
}
