// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WorkTitleTexts.h"

#include <QCoreApplication>

namespace {

// The translation context of the progress titles.
class WorkTitleTexts {
    Q_DECLARE_TR_FUNCTIONS(WorkTitleTexts)
};

}  // namespace

QString WorkTitleText(const WorkTitle& title) {
    const QString medium = QString::number(title.Medium);
    switch (title.Work) {
        case MediumWork::Collecting:
            return WorkTitleTexts::tr("Носитель №%1 Сбор файлов в один каталог...").arg(medium);
        case MediumWork::MakingImage:
            return WorkTitleTexts::tr("Носитель №%1 Создание образа диска...").arg(medium);
    }
    return {};
}
