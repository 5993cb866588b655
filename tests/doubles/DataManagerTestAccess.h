#pragma once

#include <cstdint>
#include <iterator>
#include <vector>

#include "Tdatamanager.h"

// Tests that need a division's result or an item state that the collection's operations do not
// make on their own (a medium in any order, a size no file gives) set it up through here.
struct TDataManagerTestAccess {
    static std::vector<TMedium>& Media(TDataManager& manager) { return manager.Media; }
    static bool& ItemsAreFiles(TDataManager& manager) { return manager.ItemsAreFiles; }
    // Gives the item at the index another size, keeping the total in step.
    static void SetItemSize(TDataManager& manager, std::size_t index, std::uint64_t size) {
        TColItem& item = *std::next(manager.Items.begin(), static_cast<std::ptrdiff_t>(index));
        manager.TotalSize.Subtract(item.Size);
        manager.TotalSize.Add(size);
        item.Size = size;
    }
};
