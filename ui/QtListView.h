// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QTreeView>

#include "platform/ListView.h"
#include "ui/ListViewModel.h"

// A list view in report mode on the window: a tree view without branches over ListViewModel,
// with icons, grid lines, whole-row multi-selection and a sort mark on the header. With
// sortByCaption set it keeps its rows ordered by caption, the way the medium list sorts itself.
class QtListView : public QTreeView, public ListView {
    Q_OBJECT

public:
    QtListView(const QStringList& headers, const std::vector<Qt::Alignment>& alignments,
               bool sortByCaption, QWidget* parent = nullptr);

    void SetIconLookup(ListViewModel::IconLookup lookup);

    void Clear() override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void Reserve(std::size_t rowCount) override;
    void AddRow(const std::string& caption, std::int32_t imageIndex,
                const std::vector<std::string>& subItems, const void* rowData) override;

    std::size_t RowCount() const override;
    const void* RowData(std::size_t row) const override;
    void SetSubItemText(std::size_t row, std::size_t subItem, const std::string& text) override;

    std::vector<std::size_t> SelectedRows() const override;
    std::size_t SelectedCount() const override;
    void DeleteSelected() override;

    std::optional<std::size_t> FindData(const void* rowData, std::size_t startRow) const override;
    void Select(std::size_t row) override;
    void ScrollIntoView(std::size_t row) override;

    // Orders the rows stably by compare on their data pointers (negative: left first). The
    // selection stays on the same rows and no selection change is reported.
    void SortRows(const std::function<int(const void* left, const void* right)>& compare);
    // The sort mark on a column's header; column -1 removes it.
    void SetSortMark(int column, bool ascending);
    // Clears the selection; reported like a change made by the user.
    void ClearSelection() { clearSelection(); }

    const ListViewModel& Model() const { return *Rows; }

signals:
    // The selection changed; row is the last row that became selected, or -1 when none did.
    void SelectionChanged(int row);

private:
    void ReportSelection(const QItemSelection& selected);
    void SortByCaption();

    ListViewModel* Rows;
    bool KeepSortedByCaption;
    int UpdateDepth = 0;
    bool Quiet = false;
};
