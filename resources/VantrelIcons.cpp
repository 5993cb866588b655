// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/VantrelIcons.h"

namespace VantrelIcons {

QIcon Application() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/vantrel-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

// QIcon finds the "@2x" image beside each of these by itself.
QIcon SortUp() {
    return QIcon(QStringLiteral(":/icons/sort-up.png"));
}
QIcon SortDown() {
    return QIcon(QStringLiteral(":/icons/sort-down.png"));
}
QIcon TextList() {
    return QIcon(QStringLiteral(":/icons/textlist.png"));
}
QIcon Playlist() {
    return QIcon(QStringLiteral(":/icons/playlist.png"));
}
QIcon MoveTo() {
    return QIcon(QStringLiteral(":/icons/moveto.png"));
}
QIcon CopyTo() {
    return QIcon(QStringLiteral(":/icons/copyto.png"));
}
QIcon Mail() {
    return QIcon(QStringLiteral(":/icons/email.png"));
}

}  // namespace VantrelIcons
