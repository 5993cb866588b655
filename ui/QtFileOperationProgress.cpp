#include "QtFileOperationProgress.h"

#include <QCoreApplication>

namespace {
// The bar counts in thousandths, since byte counts do not fit its int range.
constexpr int BarSteps = 1000;
}  // namespace

void QtFileOperationProgress::Started(const std::string& title, std::uint64_t totalBytes) {
    Total = totalBytes;
    Dialog = std::make_unique<QProgressDialog>(Owner);
    Dialog->setWindowTitle(QString::fromStdString(title));
    Dialog->setCancelButtonText(QString::fromUtf8("Отмена"));
    Dialog->setRange(0, BarSteps);
    Dialog->setWindowModality(Qt::WindowModal);
    Dialog->setMinimumDuration(500);
    Dialog->setValue(0);
}

void QtFileOperationProgress::Advanced(std::uint64_t bytesDone, const std::string& currentPath) {
    if (!Dialog)
        return;
    const double share =
        Total == 0 ? 1.0 : static_cast<double>(bytesDone) / static_cast<double>(Total);
    Dialog->setLabelText(QString::fromStdString(currentPath));
    Dialog->setValue(static_cast<int>(share * BarSteps));
    QCoreApplication::processEvents();
}

bool QtFileOperationProgress::CancelRequested() {
    return Dialog && Dialog->wasCanceled();
}

void QtFileOperationProgress::Finished() {
    Dialog.reset();
}
