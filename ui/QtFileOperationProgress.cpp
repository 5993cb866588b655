// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtFileOperationProgress.h"

#include <algorithm>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>

#include "ui/WorkTitleTexts.h"

namespace {

const char* const CancelCaption = QT_TRANSLATE_NOOP("QtFileOperationProgress", "Отмена");
const char* const PartTextBefore = QT_TRANSLATE_NOOP("QtFileOperationProgress", "Носитель ");
const char* const PartTextOf = QT_TRANSLATE_NOOP("QtFileOperationProgress", " из ");

// The bar counts in thousandths, since byte counts do not fit its int range.
constexpr int BarSteps = 1000;
// Events run at least this often (milliseconds) while bytes flow, and at every file.
constexpr int EventInterval = 50;
// The width of the window in average characters, so that a long path is cut in the middle.
constexpr int PathColumns = 60;

}  // namespace

void QtFileOperationProgress::Started(const WorkTitle& title, std::uint64_t totalBytes,
                                      std::size_t number, std::size_t count) {
    Total = totalBytes;
    PartCount = std::max<std::size_t>(count, 1);
    PartsBefore = std::min(number, PartCount) - (number > 0 ? 1 : 0);
    PartText = PartCount > 1
                   ? QCoreApplication::translate("QtFileOperationProgress", PartTextBefore) +
                         QString::number(number) +
                         QCoreApplication::translate("QtFileOperationProgress", PartTextOf) +
                         QString::number(PartCount)
                   : QString();
    CurrentPath.clear();
    Dialog = std::make_unique<QProgressDialog>(Owner);
    Dialog->setWindowTitle(WorkTitleText(title));
    Dialog->setCancelButtonText(
        QCoreApplication::translate("QtFileOperationProgress", CancelCaption));
    Dialog->setRange(0, BarSteps);
    Dialog->setAutoReset(false);
    Dialog->setAutoClose(false);
    Dialog->setWindowModality(Qt::WindowModal);
    Dialog->setMinimumWidth(Dialog->fontMetrics().averageCharWidth() * PathColumns);
    Dialog->setLabelText(PartText);
    Dialog->setValue(static_cast<int>(PartsBefore * BarSteps / PartCount));
    PlaceOverOwner();
    Dialog->show();
    LetEventsRun();
}

void QtFileOperationProgress::Advanced(std::uint64_t bytesDone, const std::string& currentPath) {
    if (!Dialog)
        return;
    // The bar shows the whole run: the operations before this one, and this one's share.
    const double share =
        Total == 0 ? 1.0
                   : std::min(static_cast<double>(bytesDone) / static_cast<double>(Total), 1.0);
    const double runShare =
        (static_cast<double>(PartsBefore) + share) / static_cast<double>(PartCount);
    const QString path = QString::fromStdString(currentPath);
    const bool newFile = !path.isEmpty() && path != CurrentPath;
    if (newFile) {
        CurrentPath = path;
        const int width = Dialog->fontMetrics().averageCharWidth() * PathColumns;
        const QString shown = Dialog->fontMetrics().elidedText(path, Qt::ElideMiddle, width);
        Dialog->setLabelText(PartText.isEmpty() ? shown
                                                : PartText + QChar::fromLatin1('\n') + shown);
    }
    Dialog->setValue(static_cast<int>(runShare * BarSteps));
    if (newFile || SinceEvents.hasExpired(EventInterval))
        LetEventsRun();
}

bool QtFileOperationProgress::CancelRequested() {
    return Dialog && Dialog->wasCanceled();
}

void QtFileOperationProgress::Finished() {
    Dialog.reset();
}

void QtFileOperationProgress::PlaceOverOwner() {
    Dialog->adjustSize();
    if (Owner == nullptr)
        return;
    const QWidget* window = Owner->window();
    QRect area = Dialog->frameGeometry();
    area.moveCenter(window->frameGeometry().center());
    if (const QScreen* screen = window->screen()) {
        const QRect available = screen->availableGeometry();
        area.moveLeft(std::clamp(area.left(), available.left(),
                                 std::max(available.left(), available.right() - area.width())));
        area.moveTop(std::clamp(area.top(), available.top(),
                                std::max(available.top(), available.bottom() - area.height())));
    }
    Dialog->move(area.topLeft());
}

void QtFileOperationProgress::LetEventsRun() {
    QCoreApplication::processEvents();
    SinceEvents.start();
}
