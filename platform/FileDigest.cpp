// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileDigest.h"

#include <QCryptographicHash>
#include <QFile>

std::optional<std::string> FileSha256(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return std::nullopt;
    return hash.result().toHex().toStdString();
}
