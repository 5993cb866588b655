// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ListView.h"

// A list view kept in memory, for programs without a window and for tests: rows with caption,
// image, sub-items, data pointer and a selection flag. With sortByCaption set it keeps its rows
// ordered by caption on every insertion, the way the medium list sorts itself. It also counts
// repaint suspensions so tests can see that a refill was done in one go.
class InMemoryListView : public ListView {
public:
    struct Row {
        std::string Caption;
        std::int32_t Image = -1;
        std::vector<std::string> SubItems;
        const void* Data = nullptr;
        bool Selected = false;
    };

    explicit InMemoryListView(bool sortByCaption = false) : SortByCaption(sortByCaption) {}

    void Clear() override { Rows.clear(); }
    void BeginUpdate() override { ++UpdateDepth; }
    void EndUpdate() override { --UpdateDepth; }
    void Reserve(std::size_t rowCount) override {
        Rows.reserve(rowCount);
        ReservedRows = rowCount;
    }
    void AddRow(const std::string& caption, std::int32_t imageIndex,
                const std::vector<std::string>& subItems, const void* data) override {
        Row row{caption, imageIndex, subItems, data, false};
        if (!SortByCaption) {
            Rows.push_back(std::move(row));
            return;
        }
        // Equal captions keep their insertion order.
        const auto at = std::upper_bound(
            Rows.begin(), Rows.end(), caption,
            [](const std::string& text, const Row& other) { return text < other.Caption; });
        Rows.insert(at, std::move(row));
    }

    std::size_t RowCount() const override { return Rows.size(); }
    const void* RowData(std::size_t row) const override { return Rows.at(row).Data; }
    void SetSubItemText(std::size_t row, std::size_t subItem, const std::string& text) override {
        auto& items = Rows.at(row).SubItems;
        if (items.size() <= subItem)
            items.resize(subItem + 1);
        items[subItem] = text;
    }

    std::vector<std::size_t> SelectedRows() const override {
        std::vector<std::size_t> selected;
        for (std::size_t i = 0; i < Rows.size(); ++i)
            if (Rows[i].Selected)
                selected.push_back(i);
        return selected;
    }
    std::size_t SelectedCount() const override {
        return static_cast<std::size_t>(
            std::count_if(Rows.begin(), Rows.end(), [](const Row& row) { return row.Selected; }));
    }
    void DeleteSelected() override {
        std::erase_if(Rows, [](const Row& row) { return row.Selected; });
    }

    std::optional<std::size_t> FindData(const void* data, std::size_t startRow) const override {
        const std::size_t count = Rows.size();
        for (std::size_t step = 0; step < count; ++step) {
            const std::size_t row = (startRow + step) % count;
            if (Rows[row].Data == data)
                return row;
        }
        return std::nullopt;
    }
    void Select(std::size_t row) override { Rows.at(row).Selected = true; }
    void ScrollIntoView(std::size_t row) override { ScrolledTo = row; }

    // Test helpers.
    void SelectAll() {
        for (Row& row : Rows)
            row.Selected = true;
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const Row& row : Rows)
            captions.push_back(row.Caption);
        return captions;
    }

    std::vector<Row> Rows;
    bool SortByCaption = false;
    int UpdateDepth = 0;
    std::size_t ReservedRows = 0;
    std::optional<std::size_t> ScrolledTo;
};
