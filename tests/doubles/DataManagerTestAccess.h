// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "collection/Tdatamanager.h"
#include "divide/Dividethread.h"

// Tests that need a division's result or an item state that the collection's operations do not
// make on their own (a medium in any order, a size no file gives) set it up through here.
struct TDataManagerTestAccess {
    static std::vector<TMedium>& Media(TDataManager& manager) { return manager.Media; }
    // Appends an item as the collection's own operations do (tracks no playlist had to give).
    static const TColItem& Append(TDataManager& manager, TColItem item) {
        manager.AppendItem(std::move(item));
        return manager.Items.back();
    }
    // Gives every item the group the rule picks for it.
    template <typename GroupOf>
    static void SetGroups(TDataManager& manager, GroupOf groupOf) {
        for (TColItem& item : manager.Items)
            item.Group = groupOf(item);
    }
    // A division without units: its worker ends at once and queues its end notification.
    static void StartEmptyDivision(TDataManager& manager) {
        manager.Thread = std::make_unique<TDivideThread>(
            TDivideThreadParams{manager.Groups, 1000, 999, manager.Media, manager.Host.uiThread,
                                manager.Host.divisionListener, manager.GetDivisionPriority()});
    }
    static bool& ItemsAreFiles(TDataManager& manager) { return manager.ItemsAreFiles; }
    // Gives the item at the index another size, keeping the total in step.
    static void SetItemSize(TDataManager& manager, std::size_t index, std::uint64_t size) {
        TColItem& item = *std::next(manager.Items.begin(), static_cast<std::ptrdiff_t>(index));
        manager.TotalSize.Subtract(item.Size);
        manager.TotalSize.Add(size);
        item.Size = size;
    }
};
