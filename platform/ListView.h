// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A list view in report mode, as the data manager fills and reads it: rows with a caption, an
// image index, sub-item texts and a data pointer. The Qt window adapts a QTreeWidget to it; the
// tests use an in-memory list.
class ListView {
public:
    virtual ~ListView() = default;

    virtual void Clear() = 0;
    virtual void BeginUpdate() = 0;  // suspend repainting
    virtual void EndUpdate() = 0;    // resume repainting
    virtual void Reserve(std::size_t rowCount) = 0;
    virtual void AddRow(const std::string& caption, std::int32_t imageIndex,
                        const std::vector<std::string>& subItems, const void* data) = 0;

    virtual std::size_t RowCount() const = 0;
    virtual const void* RowData(std::size_t row) const = 0;
    virtual void SetSubItemText(std::size_t row, std::size_t subItem, const std::string& text) = 0;

    // Selected rows in row order.
    virtual std::vector<std::size_t> SelectedRows() const = 0;
    virtual std::size_t SelectedCount() const = 0;
    virtual void DeleteSelected() = 0;

    // The first row from startRow on, wrapping to the top, whose data pointer equals data.
    virtual std::optional<std::size_t> FindData(const void* data, std::size_t startRow) const = 0;
    virtual void Select(std::size_t row) = 0;  // rows already selected stay selected
    virtual void ScrollIntoView(std::size_t row) = 0;
};
