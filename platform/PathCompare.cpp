#include "PathCompare.h"

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

}  // namespace

int ComparePaths(const std::string& left, const std::string& right) {
    if (left == right)
        return 0;
    const int collated =
        PathCollator().compare(QString::fromStdString(left), QString::fromStdString(right));
    if (collated != 0)
        return collated < 0 ? -1 : 1;
    return left < right ? -1 : 1;
}
