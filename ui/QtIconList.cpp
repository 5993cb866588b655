// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtIconList.h"

#include <QFileInfo>

std::int32_t QtIconList::IconIndexOf(const std::string& path,
                                     const std::optional<PathAttributes>& attributes) {
    if (!attributes)
        return -1;
    const QFileInfo file(QString::fromStdString(path));
    const QString type = attributes->Directory     ? QStringLiteral("/")
                         : file.suffix().isEmpty() ? QString()
                                                   : file.suffix().toLower();
    if (!type.isEmpty()) {
        const auto known = IndexByType.find(type);
        if (known != IndexByType.end())
            return known->second;
    }
    const std::int32_t index = IndexOfIcon(Provider.icon(file));
    if (!type.isEmpty())
        IndexByType.emplace(type, index);
    return index;
}

std::int32_t QtIconList::IndexOfIcon(const QIcon& icon) {
    if (icon.isNull())
        return -1;
    // Theme icons are known by name; others (a folder's, a file's generic icon) by their key.
    const QString key = icon.name().isEmpty() ? QString::number(icon.cacheKey()) : icon.name();
    const auto known = IndexByKey.find(key);
    if (known != IndexByKey.end())
        return known->second;
    const auto index = static_cast<std::int32_t>(Icons.size());
    Icons.push_back(icon);
    IndexByKey.emplace(key, index);
    return index;
}

QIcon QtIconList::Icon(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= Icons.size())
        return {};
    return Icons[static_cast<std::size_t>(index)];
}
