// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtListView.h"

#include <algorithm>

#include <QCollator>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Draws the cell as usual, then its bottom and right edges as grid lines.
class GridLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Midlight));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }
};

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The caption order of a self-sorting list: the user's collation, letter case ignored.
QCollator& CaptionCollator() {
    static QCollator collator = [] {
        QCollator made;
        made.setCaseSensitivity(Qt::CaseInsensitive);
        return made;
    }();
    return collator;
}

bool CaptionLess(const QString& left, const QString& right) {
    return CaptionCollator().compare(left, right) < 0;
}

}  // namespace

QtListView::QtListView(const QStringList& headers, const std::vector<Qt::Alignment>& alignments,
                       bool sortByCaption, QWidget* parent)
    : QTreeView(parent),
      Rows(new ListViewModel(headers, alignments, this)),
      KeepSortedByCaption(sortByCaption) {
    setModel(Rows);
    setItemDelegate(new GridLineDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsClickable(!sortByCaption);
    header()->setSortIndicatorShown(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection&) {
                ReportSelection(selected);
            });
}

void QtListView::SetIconLookup(ListViewModel::IconLookup lookup) {
    Rows->SetIconLookup(std::move(lookup));
}

void QtListView::Clear() {
    if (UpdateDepth > 0) {
        Rows->ClearSilently();
        return;
    }
    Rows->BeginReset();
    Rows->ClearSilently();
    Rows->EndReset();
}

void QtListView::BeginUpdate() {
    if (UpdateDepth++ > 0)
        return;
    setUpdatesEnabled(false);
    Rows->BeginReset();
}

void QtListView::EndUpdate() {
    if (UpdateDepth == 0 || --UpdateDepth > 0)
        return;
    if (KeepSortedByCaption)
        SortByCaption();
    Rows->EndReset();
    setUpdatesEnabled(true);
}

void QtListView::Reserve(std::size_t rowCount) {
    Rows->Reserve(rowCount);
}

void QtListView::AddRow(const std::string& caption, std::int32_t imageIndex,
                        const std::vector<std::string>& subItems, const void* rowData) {
    ListViewModel::Row row{Text(caption), imageIndex, {}, rowData};
    row.SubItems.reserve(static_cast<qsizetype>(subItems.size()));
    for (const std::string& text : subItems)
        row.SubItems.append(Text(text));
    if (UpdateDepth > 0) {
        Rows->AppendSilently(std::move(row));
        return;
    }
    const auto& all = Rows->AllRows();
    auto at = all.end();
    if (KeepSortedByCaption)
        at = std::upper_bound(all.begin(), all.end(), row,
                              [](const ListViewModel::Row& left, const ListViewModel::Row& right) {
                                  return CaptionLess(left.Caption, right.Caption);
                              });
    Rows->InsertRow(static_cast<std::size_t>(at - all.begin()), std::move(row));
}

std::size_t QtListView::RowCount() const {
    return Rows->AllRows().size();
}

const void* QtListView::RowData(std::size_t row) const {
    return Rows->AllRows().at(row).Data;
}

void QtListView::SetSubItemText(std::size_t row, std::size_t subItem, const std::string& text) {
    Rows->SetSubItem(row, subItem, Text(text));
}

std::vector<std::size_t> QtListView::SelectedRows() const {
    // Whole rows are selected, so each range's rows are what counts; ranges may overlap.
    std::vector<bool> selected(RowCount(), false);
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            selected[static_cast<std::size_t>(row)] = true;
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < selected.size(); ++row)
        if (selected[row])
            rows.push_back(row);
    return rows;
}

std::size_t QtListView::SelectedCount() const {
    return SelectedRows().size();
}

void QtListView::DeleteSelected() {
    std::vector<bool> remove(RowCount(), false);
    for (const std::size_t row : SelectedRows())
        remove[row] = true;
    Quiet = true;
    Rows->RemoveRows(remove);
    Quiet = false;
}

std::optional<std::size_t> QtListView::FindData(const void* rowData, std::size_t startRow) const {
    const auto& all = Rows->AllRows();
    const std::size_t count = all.size();
    for (std::size_t step = 0; step < count; ++step) {
        const std::size_t row = (startRow + step) % count;
        if (all[row].Data == rowData)
            return row;
    }
    return std::nullopt;
}

void QtListView::Select(std::size_t row) {
    selectionModel()->select(Rows->index(static_cast<int>(row), 0),
                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void QtListView::ScrollIntoView(std::size_t row) {
    scrollTo(Rows->index(static_cast<int>(row), 0), QAbstractItemView::EnsureVisible);
}

void QtListView::SortRows(const std::function<int(const void*, const void*)>& compare) {
    std::vector<bool> wasSelected(RowCount(), false);
    for (const std::size_t row : SelectedRows())
        wasSelected[row] = true;
    const QModelIndex current = currentIndex();

    Quiet = true;
    Rows->BeginReset();
    const std::vector<std::size_t> order =
        Rows->ReorderSilently([&](const ListViewModel::Row& left, const ListViewModel::Row& right) {
            return compare(left.Data, right.Data) < 0;
        });
    Rows->EndReset();

    // Selects the moved rows again, one range per run of neighbouring rows.
    QItemSelection selection;
    const int lastColumn = Rows->columnCount() - 1;
    int newCurrent = -1;
    for (std::size_t row = 0; row < order.size();) {
        if (current.isValid() && order[row] == static_cast<std::size_t>(current.row()))
            newCurrent = static_cast<int>(row);
        if (!wasSelected[order[row]]) {
            ++row;
            continue;
        }
        std::size_t end = row;
        while (end + 1 < order.size() && wasSelected[order[end + 1]]) {
            ++end;
            if (current.isValid() && order[end] == static_cast<std::size_t>(current.row()))
                newCurrent = static_cast<int>(end);
        }
        selection.select(Rows->index(static_cast<int>(row), 0),
                         Rows->index(static_cast<int>(end), lastColumn));
        row = end + 1;
    }
    if (newCurrent >= 0)
        selectionModel()->setCurrentIndex(Rows->index(newCurrent, 0),
                                          QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection, QItemSelectionModel::Select);
    Quiet = false;
}

void QtListView::SetSortMark(int column, bool ascending) {
    header()->setSortIndicatorShown(column >= 0);
    header()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void QtListView::ReportSelection(const QItemSelection& selected) {
    if (Quiet)
        return;
    int row = -1;
    for (const QItemSelectionRange& range : selected)
        row = std::max(row, range.bottom());
    emit SelectionChanged(row);
}

void QtListView::SortByCaption() {
    Rows->ReorderSilently([](const ListViewModel::Row& left, const ListViewModel::Row& right) {
        return CaptionLess(left.Caption, right.Caption);
    });
}
