// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/Tdatamanager.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <numeric>

#include "divide/Dividethread.h"
#include "items/PlaylistFormat.h"
#include "platform/FileSystem.h"
#include "platform/IconList.h"
#include "platform/ListView.h"
#include "platform/PathCompare.h"
#include "platform/Prompter.h"

namespace {

// Texts of the list views and the size units.
constexpr const char* NoGroupText = "нет";
constexpr const char* ByteUnit = " Б";
constexpr const char* KilobyteUnit = " кБ";
constexpr const char* MegabyteUnit = " МБ";
constexpr const char* GigabyteUnit = " ГБ";
constexpr const char* MissingPathsText =
    "Следующие файлы и папки не найдены и не добавлены в коллекцию:\n";
constexpr const char* UnmeasuredPathsText =
    "Не удалось определить размер следующих элементов (нет доступа):\n";
constexpr const char* UnmeasuredPathsAfter =
    "\n\nОни добавлены в коллекцию, но не поместятся ни на один носитель: перед разбиением "
    "их будет предложено исключить.";
constexpr const char* MorePathsText = "… и ещё ";

// How many paths a notice names before it only counts the rest.
constexpr std::size_t ListedPathsMax = 20;

// The "Группа" column among a collection row's sub-items (after "Длина").
constexpr std::size_t GroupColumn = 1;

constexpr std::uint64_t Kilobyte = 1024;
constexpr std::uint64_t Megabyte = Kilobyte * 1024;
constexpr std::uint64_t Gigabyte = Megabyte * 1024;

std::string GroupText(std::uint32_t group) {
    return group == 0 ? std::string(NoGroupText) : std::to_string(group);
}

// The cell a list row's data pointer leads to.
const TItemPosition& CellOfRow(const ListView& view, std::size_t row) {
    return *static_cast<const TItemPosition*>(view.RowData(row));
}

// A size as a quotient of its unit: the division in extended precision, the quotient then
// rounded to single precision, so a value just below the next unit shows as 1024 of this one.
std::string ScaledText(std::uint64_t value, std::uint64_t unit, const char* unitText) {
    const long double quotient = static_cast<long double>(value) / static_cast<long double>(unit);
    return ScaledNumberText(static_cast<float>(quotient)) + unitText;
}

std::string PlayingTimeText(std::uint64_t hundredths) {
    const std::uint64_t seconds = hundredths / HundredthsPerSecond;
    const std::uint64_t hours = seconds / 3600;
    const auto minutes = static_cast<unsigned>((seconds % 3600) / 60);
    const auto restSeconds = static_cast<unsigned>(seconds % 60);
    std::string text;
    if (hours > 0)
        text = std::to_string(hours) + ":";
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.2u:%.2u", minutes, restSeconds);
    return text + buffer;
}

// The paths one to a line, the first ListedPathsMax of them.
std::string PathListText(const std::vector<std::string>& paths) {
    std::string text;
    for (std::size_t i = 0; i < paths.size() && i < ListedPathsMax; ++i)
        text += (i == 0 ? "" : "\n") + paths[i];
    if (paths.size() > ListedPathsMax)
        text += "\n" + std::string(MorePathsText) + std::to_string(paths.size() - ListedPathsMax);
    return text;
}

}  // namespace

TDataManager::TDataManager(const std::uint8_t& collectionType, ListView& collectionView,
                           ListView& mediumView, const TDataManagerHost& host)
    : CollectionType(collectionType),
      lstCollection(collectionView),
      lstMedium(mediumView),
      Host(host) {}

// Members go in reverse order of declaration: the thread object, then Groups, then Media, then
// Items, so whatever refers to items goes before the items. The window refuses to close while a
// division runs; should a thread object still be held, its destructor stops and joins it.
TDataManager::~TDataManager() = default;

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
                    append(ItemFromPath(path, Host.icons));
                else
                    missing.push_back(path);
                break;
            case AddFromFolder: {
                const auto attributes = ReadPathAttributes(path);
                if (!attributes || !attributes->Directory)
                    break;
                const std::string base = WithTrailingDelimiter(path);
                // Entries found inside the folder: a link among them is the link, not its target.
                for (const FolderEntry& entry : ListVisibleEntries(path))
                    append(ItemFromFolderEntry(base, entry, Host.icons));
                break;
            }
            case AddFromPlaylist:
            case AddFromWinamp: {
                // A path whose attributes cannot be read counts as a folder and is ignored.
                const auto attributes = ReadPathAttributes(path);
                if (attributes && !attributes->Directory && HasPlaylistExtension(path))
                    LoadPlaylist(path, CollectionType == 1);
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
    if (!missing.empty()) {
        Host.prompter.MessageBox(MissingPathsText + PathListText(missing), PromptIcon::Exclamation,
                                 {PromptButton::Ok}, PromptButton::Ok);
    }
    if (!unmeasured.empty()) {
        Host.prompter.MessageBox(
            UnmeasuredPathsText + PathListText(unmeasured) + UnmeasuredPathsAfter,
            PromptIcon::Exclamation, {PromptButton::Ok}, PromptButton::Ok);
    }
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
    const std::string text = GroupText(group);
    for (const std::size_t row : lstCollection.SelectedRows()) {
        CellOfRow(lstCollection, row)->Group = group;
        lstCollection.SetSubItemText(row, GroupColumn, text);
    }
}

void TDataManager::ShowCollection() {
    lstCollection.Clear();
    lstCollection.BeginUpdate();
    lstCollection.Reserve(Items.size());
    for (const TColItem& item : Items) {
        lstCollection.AddRow(item.Name, item.IconIndex,
                             {ValueText(item.Size), GroupText(item.Group)}, item.Position.get());
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
    std::uint64_t sum = 0;
    for (const TConstItemPosition& item : shown) {
        lstMedium.AddRow(item->Name, item->IconIndex, {ValueText(item->Size)},
                         item->Position.get());
        sum = SaturatingAdd(sum, item->Size);
    }
    lstMedium.EndUpdate();
    return ValueText(sum);
}

std::string TDataManager::ValueText(std::uint64_t value) const {
    switch (CollectionType) {
        case 0:
            if (value >= Gigabyte)
                return ScaledText(value, Gigabyte, GigabyteUnit);
            if (value >= Megabyte)
                return ScaledText(value, Megabyte, MegabyteUnit);
            if (value >= Kilobyte)
                return ScaledText(value, Kilobyte, KilobyteUnit);
            return std::to_string(value) + ByteUnit;
        case 1:
            return PlayingTimeText(value);
        default:
            return std::string();
    }
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

std::string ScaledNumberText(float value) {
    const int decimals = value >= 100.0F ? 0 : (value >= 10.0F ? 1 : 2);
    // Ordinary rounding: an exact half goes away from zero, where printf would go to the even
    // digit. The value times 10^decimals is exact in double (24 + 7 bits), so the half is
    // decided on the float's exact value; every other value is rounded as printf does.
    constexpr double Scales[] = {1.0, 10.0, 100.0};
    const double scaled = std::fabs(static_cast<double>(value)) * Scales[decimals];
    const double whole = std::floor(scaled);
    double shown = static_cast<double>(value);
    if (scaled - whole == 0.5)
        shown = std::copysign((whole + 1.0) / Scales[decimals], shown);
    // Always a point as the decimal separator, whatever the process locale says. The quotient
    // above is the nearest double to a number with that many decimals, so it prints as it.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, shown, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return std::string();
    return std::string(buffer, result.ptr);
}
