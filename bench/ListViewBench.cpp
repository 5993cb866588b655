// SPDX-License-Identifier: GPL-3.0-or-later
// The window's list view on a collection of 100 000 items (offscreen): filling it, sorting it by
// a column and selecting all of it, each followed by the repaint the user would wait for.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include <QApplication>

#include "items/Collectionitems.h"
#include "platform/PathCompare.h"
#include "ui/QtIconList.h"
#include "ui/QtListView.h"

namespace {

constexpr int ItemCount = 100000;

void Application() {
    static int argc = 1;
    static char name[] = "vantrel_bench_list_view";
    static char* argv[] = {name, nullptr};
    static bool offscreen = qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    static QApplication application(argc, argv);
    benchmark::DoNotOptimize(offscreen);
}

// Items with mixed-case names in scattered order, sizes and groups repeating.
const TColItems& Items() {
    static const TColItems items = [] {
        TColItems made;
        for (int i = 0; i < ItemCount; ++i) {
            const int n = static_cast<int>((static_cast<long long>(i) * 7919) % ItemCount);
            const std::string name = (n % 2 ? "Track " : "track ") + std::to_string(n) + ".mp3";
            made.emplace_back(name, "/music/" + name, -1,
                              static_cast<std::uint64_t>(n % 5000) * 1024,
                              static_cast<std::uint32_t>(n % 7));
        }
        return made;
    }();
    return items;
}

struct ShownList {
    ShownList()
        : View({QStringLiteral("Имя"), QStringLiteral("Длина"), QStringLiteral("Группа")},
               {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter}, false) {
        View.resize(800, 600);
        View.show();
    }
    void Fill() {
        View.Clear();
        View.BeginUpdate();
        View.Reserve(Items().size());
        for (const TColItem& item : Items())
            View.AddRow(item.Name, item.IconIndex,
                        {std::to_string(item.Size), std::to_string(item.Group)}, &item);
        View.EndUpdate();
        QApplication::processEvents();
    }
    QtListView View;
};

void BM_FillCollectionList(benchmark::State& state) {
    Application();
    ShownList list;
    for (auto _ : state)
        list.Fill();
    state.counters["rows"] = static_cast<double>(list.View.RowCount());
}
BENCHMARK(BM_FillCollectionList)->Unit(benchmark::kMillisecond);

// Sorting by length as the window does it: the names are collated once into ranks, then rows
// are ordered by size with ties broken by rank.
void BM_SortCollectionListByLength(benchmark::State& state) {
    Application();
    ShownList list;
    list.Fill();
    bool ascending = true;
    for (auto _ : state) {
        std::vector<const std::string*> names;
        std::vector<const void*> rows;
        for (std::size_t row = 0; row < list.View.RowCount(); ++row) {
            rows.push_back(list.View.RowData(row));
            names.push_back(&static_cast<const TColItem*>(rows.back())->Name);
        }
        const PathSortKeys keys(names);
        std::vector<std::size_t> byName(rows.size());
        for (std::size_t i = 0; i < byName.size(); ++i)
            byName[i] = i;
        std::stable_sort(byName.begin(), byName.end(), [&](std::size_t left, std::size_t right) {
            return keys.Less(left, right);
        });
        std::unordered_map<const void*, std::size_t> ranks;
        ranks.reserve(rows.size());
        for (std::size_t rank = 0; rank < byName.size(); ++rank)
            ranks[rows[byName[rank]]] = rank;
        list.View.SortRows([&](const void* left, const void* right) {
            const auto& first = *static_cast<const TColItem*>(left);
            const auto& second = *static_cast<const TColItem*>(right);
            int result = first.Size < second.Size ? -1 : (second.Size < first.Size ? 1 : 0);
            if (result == 0)
                result = ranks.at(left) < ranks.at(right) ? -1 : 1;
            return ascending ? result : -result;
        });
        list.View.SetSortMark(1, ascending);
        QApplication::processEvents();
        ascending = !ascending;
    }
}
BENCHMARK(BM_SortCollectionListByLength)->Unit(benchmark::kMillisecond);

void BM_SelectAllOfCollectionList(benchmark::State& state) {
    Application();
    ShownList list;
    list.Fill();
    for (auto _ : state) {
        list.View.selectAll();
        std::size_t selected = list.View.SelectedCount();
        benchmark::DoNotOptimize(selected);
        QApplication::processEvents();
        state.PauseTiming();
        list.View.ClearSelection();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SelectAllOfCollectionList)->Unit(benchmark::kMillisecond);

// The icon of every file of a folder of 10 000 tracks and documents, as adding the folder asks
// for them: the desktop's icon of each file type, each distinct icon kept once.
void BM_IconsOfFolderFiles(benchmark::State& state) {
    Application();
    constexpr int FileCount = 10000;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "vantrel-bench-icons";
    std::filesystem::create_directories(folder);
    const char* const extensions[] = {".mp3", ".txt", ".pdf", ".png", ""};
    std::vector<std::string> paths;
    for (int i = 0; i < FileCount; ++i) {
        paths.push_back((folder / ("file " + std::to_string(i) + extensions[i % 5])).string());
        std::ofstream(paths.back()) << i;
    }
    for (auto _ : state) {
        QtIconList icons;
        for (const std::string& path : paths) {
            std::int32_t index = icons.IconIndexOf(path, ReadPathAttributes(path));
            benchmark::DoNotOptimize(index);
        }
    }
    std::filesystem::remove_all(folder);
    state.counters["files"] = FileCount;
}
BENCHMARK(BM_IconsOfFolderFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
