// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListViewModel.h"

#include <algorithm>
#include <numeric>

#include <QPixmap>

namespace {

// As large as the small icons of the list, and clear.
QIcon BlankIcon() {
    static const QIcon blank = [] {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        return QIcon(pixmap);
    }();
    return blank;
}

}  // namespace

ListViewModel::ListViewModel(QStringList headers, std::vector<Qt::Alignment> alignments,
                             QObject* parent)
    : QAbstractTableModel(parent), Headers(std::move(headers)), Alignments(std::move(alignments)) {}

int ListViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Rows.size());
}

int ListViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Headers.size());
}

QVariant ListViewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= Rows.size())
        return {};
    const Row& row = Rows[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            if (column == 0)
                return row.Caption;
            if (column - 1 < row.SubItems.size())
                return row.SubItems[column - 1];
            return QString();
        case Qt::DecorationRole: {
            if (column != 0)
                return {};
            const QIcon icon = row.Image >= 0 && Icons ? Icons(row.Image) : QIcon();
            // A row without an icon (a link, a missing path) keeps its caption in line with
            // the others.
            return icon.isNull() ? BlankIcon() : icon;
        }
        case Qt::TextAlignmentRole:
            if (static_cast<std::size_t>(column) < Alignments.size())
                return QVariant::fromValue(Alignments[static_cast<std::size_t>(column)] |
                                           Qt::AlignVCenter);
            return {};
        default:
            return {};
    }
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Headers.size())
        return {};
    if (role == Qt::DisplayRole)
        return Headers[section];
    if (role == Qt::TextAlignmentRole && static_cast<std::size_t>(section) < Alignments.size())
        return QVariant::fromValue(Alignments[static_cast<std::size_t>(section)] |
                                   Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags ListViewModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ListViewModel::InsertRow(std::size_t at, Row row) {
    const int position = static_cast<int>(at);
    beginInsertRows(QModelIndex(), position, position);
    Rows.insert(Rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
    endInsertRows();
}

void ListViewModel::RemoveRows(const std::vector<bool>& remove) {
    beginResetModel();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < Rows.size(); ++i)
        if (i >= remove.size() || !remove[i])
            Rows[kept++] = std::move(Rows[i]);
    Rows.resize(kept);
    endResetModel();
}

void ListViewModel::SetSubItem(std::size_t row, std::size_t subItem, const QString& text) {
    QStringList& items = Rows.at(row).SubItems;
    const auto wanted = static_cast<qsizetype>(subItem) + 1;
    while (items.size() < wanted)
        items.append(QString());
    items[static_cast<qsizetype>(subItem)] = text;
    const QModelIndex changed = index(static_cast<int>(row), static_cast<int>(subItem) + 1);
    emit dataChanged(changed, changed);
}

std::vector<std::size_t> ListViewModel::ReorderSilently(
    const std::function<bool(const Row&, const Row&)>& less) {
    std::vector<std::size_t> order(Rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t left, std::size_t right) {
        return less(Rows[left], Rows[right]);
    });
    std::vector<Row> sorted;
    sorted.reserve(Rows.size());
    for (const std::size_t old : order)
        sorted.push_back(std::move(Rows[old]));
    Rows = std::move(sorted);
    return order;
}
