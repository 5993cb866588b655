// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QFileIconProvider>
#include <QIcon>
#include <QString>

#include "platform/FileSystem.h"
#include "platform/IconList.h"

// The small-icon list both list views share: the desktop's icon of each path, each distinct icon
// stored once and known by its index. Use it on the user-interface thread.
class QtIconList : public IconList {
public:
    // -1 when the path cannot be examined (it does not exist) or no icon is known.
    std::int32_t IconIndexOf(const std::string& path,
                             const std::optional<PathAttributes>& attributes) override;
    // The icon of an index; an empty icon for an unknown one.
    QIcon Icon(std::int32_t index) const;

private:
    std::int32_t IndexOfIcon(const QIcon& icon);

    QFileIconProvider Provider;
    std::vector<QIcon> Icons;
    std::map<QString, std::int32_t> IndexByKey;
    // Folders, and files by their extension, share the icon the first of them got: the
    // desktop picks file icons by type, and asking it costs a type lookup per file.
    std::map<QString, std::int32_t> IndexByType;
};
