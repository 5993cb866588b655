// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TreeWalker.h"

#include "platform/PathNames.h"
#include "platform/SizeArithmetic.h"

TreeMeasure MeasureFolderTree(const std::string& folder, TreeRule rule) {
    TreeMeasure measure;
    const auto listing = ListTreeFolder(folder, rule);
    if (!listing) {
        measure.Unreadable = true;
        return measure;
    }
    measure.LeftOut = listing->LeftOut;
    for (const TreeEntry& entry : listing->Entries) {
        if (entry.Kind != TreeEntryKind::Folder) {
            measure.Bytes = SaturatingAdd(measure.Bytes, entry.Length);
            continue;
        }
        const TreeMeasure inside = MeasureFolderTree(JoinPath(folder, entry.Name), rule);
        measure.Bytes = SaturatingAdd(measure.Bytes, inside.Bytes);
        measure.LeftOut += inside.LeftOut;
        measure.Unreadable = measure.Unreadable || inside.Unreadable;
    }
    return measure;
}
