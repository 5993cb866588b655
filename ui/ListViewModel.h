// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <QStringList>

// The rows of a list view in report mode: a caption with an icon, sub-item texts and a data
// pointer per row. Rows are kept in one vector, so filling, sorting and clearing a list of
// 100 000 rows costs one model reset, not one signal per row.
class ListViewModel : public QAbstractTableModel {
    Q_OBJECT

public:
    struct Row {
        QString Caption;
        std::int32_t Image = -1;
        QStringList SubItems;
        const void* Data = nullptr;
    };

    // The icon of an image index; an empty icon for -1 or an unknown index.
    using IconLookup = std::function<QIcon(std::int32_t image)>;

    ListViewModel(QStringList headers, std::vector<Qt::Alignment> alignments, QObject* parent);

    void SetIconLookup(IconLookup lookup) { Icons = std::move(lookup); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Batch changes: between BeginReset and EndReset rows may be appended without signals.
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    void AppendSilently(Row row) { Rows.push_back(std::move(row)); }
    // One row inserted at a place, with its own signals.
    void InsertRow(std::size_t at, Row row);
    void RemoveRows(const std::vector<bool>& remove);  // resets the model
    void Reserve(std::size_t count) { Rows.reserve(count); }
    void ClearSilently() { Rows.clear(); }
    void SetSubItem(std::size_t row, std::size_t subItem, const QString& text);

    // Reorders the rows stably by less, without signals (call it between BeginReset and
    // EndReset); order[i] is then the old index of new row i.
    std::vector<std::size_t> ReorderSilently(
        const std::function<bool(const Row&, const Row&)>& less);

    const std::vector<Row>& AllRows() const { return Rows; }

private:
    QStringList Headers;
    std::vector<Qt::Alignment> Alignments;
    std::vector<Row> Rows;
    IconLookup Icons;
};
