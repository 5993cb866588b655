// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>

#include <QElapsedTimer>
#include <QProgressDialog>

#include "platform/FileOperationProgress.h"

class QWidget;

// The progress window of a copy or move over its owner window: the operation's title, where it
// stands in its run ("Носитель 2 из 4"), the file being worked on, a bar of the whole run's
// progress and a cancel button. It is shown as soon as an
// operation starts and blocks input to the owner until it ends, while the owner keeps painting:
// every report lets the user-interface events run.
class QtFileOperationProgress : public FileOperationProgress {
public:
    explicit QtFileOperationProgress(QWidget* owner) : Owner(owner) {}

    void Started(const WorkTitle& title, std::uint64_t totalBytes, std::size_t number,
                 std::size_t count) override;
    void Advanced(std::uint64_t bytesDone, const std::string& currentPath) override;
    bool CancelRequested() override;
    void Finished() override;

    // The window while an operation runs, else null.
    QProgressDialog* Window() const { return Dialog.get(); }

private:
    // Sizes the window and centres it on the owner's window, kept on the screen, before it is
    // shown: left to the window system, the first one of a run opened at the screen's corner.
    void PlaceOverOwner();
    void LetEventsRun();

    QWidget* Owner;
    std::unique_ptr<QProgressDialog> Dialog;
    std::uint64_t Total = 0;
    std::size_t PartsBefore = 0;  // operations of the run done before this one
    std::size_t PartCount = 1;
    QString PartText;  // the first line of the label in a run of several operations
    QString CurrentPath;
    QElapsedTimer SinceEvents;
};
