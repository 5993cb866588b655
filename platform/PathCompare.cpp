// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PathCompare.h"

#include <vector>

#include <QCollator>
#include <QLocale>
#include <QString>

#include "platform/PathNames.h"

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

// The order of two paths the collation holds equal: none where they differ only in letter case
// and the platform's file systems take them for one file, byte-wise otherwise.
int BreakTie(const QString& left, const QString& right, const std::string& leftBytes,
             const std::string& rightBytes) {
    if (!PathsTellCaseApart && left.compare(right, Qt::CaseInsensitive) == 0)
        return 0;
    return leftBytes < rightBytes ? -1 : 1;
}

}  // namespace

int ComparePaths(const std::string& left, const std::string& right) {
    if (left == right)
        return 0;
    const QString leftText = QString::fromStdString(left);
    const QString rightText = QString::fromStdString(right);
    const int collated = Collate(leftText, rightText);
    if (collated != 0)
        return collated < 0 ? -1 : 1;
    return BreakTie(leftText, rightText, left, right);
}

// Whether the system's collation keys order as its comparison does. Those of Windows
// (LCMapStringEx) were seen not to under wine, Cyrillic among others; there the keys are the
// texts themselves and each comparison collates them.
constexpr bool SortKeysAgree = VANTREL_SORT_KEYS_AGREE;

struct PathSortKeys::Keys {
    std::vector<QCollatorSortKey> Values;  // from the locale's collator, where its keys agree
    std::vector<QString> Texts;            // otherwise the texts, case-folded in the C locale
};

PathSortKeys::PathSortKeys(const std::vector<const std::string*>& paths)
    : Collated(std::make_unique<Keys>()), Paths(paths) {
    if (CollatesPlainly() || !SortKeysAgree) {
        Collated->Texts.reserve(paths.size());
        for (const std::string* path : paths) {
            const QString text = QString::fromStdString(*path);
            Collated->Texts.push_back(CollatesPlainly() ? text.toCaseFolded() : text);
        }
        return;
    }
    Collated->Values.reserve(paths.size());
    for (const std::string* path : paths)
        Collated->Values.push_back(PathCollator().sortKey(QString::fromStdString(*path)));
}

PathSortKeys::~PathSortKeys() = default;

bool PathSortKeys::Less(std::size_t left, std::size_t right) const {
    int collated = 0;
    if (!Collated->Values.empty())
        collated = Collated->Values[left].compare(Collated->Values[right]);
    else if (CollatesPlainly())
        collated = Collated->Texts[left].compare(Collated->Texts[right], Qt::CaseSensitive);
    else
        collated = PathCollator().compare(Collated->Texts[left], Collated->Texts[right]);
    if (collated != 0)
        return collated < 0;
    if (PathsTellCaseApart)
        return *Paths[left] < *Paths[right];
    return BreakTie(QString::fromStdString(*Paths[left]), QString::fromStdString(*Paths[right]),
                    *Paths[left], *Paths[right]) < 0;
}
