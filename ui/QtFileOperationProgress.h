#pragma once

#include <memory>

#include <QProgressDialog>

#include "FileOperationProgress.h"

class QWidget;

// The progress window of a copy or move: a modal progress dialog with the operation's title and a
// cancel button, shown while the operation runs.
class QtFileOperationProgress : public FileOperationProgress {
public:
    explicit QtFileOperationProgress(QWidget* owner) : Owner(owner) {}

    void Started(const std::string& title, std::uint64_t totalBytes) override;
    void Advanced(std::uint64_t bytesDone, const std::string& currentPath) override;
    bool CancelRequested() override;
    void Finished() override;

private:
    QWidget* Owner;
    std::unique_ptr<QProgressDialog> Dialog;
    std::uint64_t Total = 0;
};
