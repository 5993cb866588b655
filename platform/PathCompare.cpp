// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PathCompare.h"

#include <vector>

#include <QCollator>
#include <QLocale>
#include <QString>

namespace {

const QCollator& PathCollator() {
    static const QCollator collator = [] {
        QCollator made{QLocale::system()};
        made.setCaseSensitivity(Qt::CaseInsensitive);
        made.setNumericMode(false);
        return made;
    }();
    return collator;
}

// In the C locale the collator compares code units after case folding, but its sort keys keep
// letter case; there both the comparison and the keys use the case-folded text, so the two
// always agree.
bool CollatesPlainly() {
    static const bool plain = PathCollator().locale().language() == QLocale::C;
    return plain;
}

int Collate(const QString& left, const QString& right) {
    if (CollatesPlainly())
        return left.toCaseFolded().compare(right.toCaseFolded(), Qt::CaseSensitive);
    return PathCollator().compare(left, right);
}

}  // namespace

int ComparePaths(const std::string& left, const std::string& right) {
    if (left == right)
        return 0;
    const int collated = Collate(QString::fromStdString(left), QString::fromStdString(right));
    if (collated != 0)
        return collated < 0 ? -1 : 1;
    return left < right ? -1 : 1;
}

struct PathSortKeys::Keys {
    std::vector<QCollatorSortKey> Values;  // from the locale's collator
    std::vector<QString> Folded;           // in the C locale
};

PathSortKeys::PathSortKeys(const std::vector<const std::string*>& paths)
    : Collated(std::make_unique<Keys>()), Paths(paths) {
    if (CollatesPlainly()) {
        Collated->Folded.reserve(paths.size());
        for (const std::string* path : paths)
            Collated->Folded.push_back(QString::fromStdString(*path).toCaseFolded());
        return;
    }
    Collated->Values.reserve(paths.size());
    for (const std::string* path : paths)
        Collated->Values.push_back(PathCollator().sortKey(QString::fromStdString(*path)));
}

PathSortKeys::~PathSortKeys() = default;

bool PathSortKeys::Less(std::size_t left, std::size_t right) const {
    const int collated =
        CollatesPlainly()
            ? Collated->Folded[left].compare(Collated->Folded[right], Qt::CaseSensitive)
            : Collated->Values[left].compare(Collated->Values[right]);
    if (collated != 0)
        return collated < 0;
    return *Paths[left] < *Paths[right];
}
