// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

#include "items/DivisionListener.h"
#include "platform/FileOperationProgress.h"

class StatusLine;
class TDataManager;

// Prints every medium as it is delivered, the way the results page lists it, and shows the
// search's progress on the status line.
class PlanListener : public DivisionListener {
public:
    PlanListener(bool print, std::ostream& out, StatusLine& status)
        : Print(print), Out(out), Status(status) {}

    void addResultMedium() override;
    void ShowDivisionProgress(std::int32_t, std::uint32_t, std::uint64_t,
                              std::uint32_t unitsLeft) override;
    void DivisionEnded() override;

    // The data manager whose media are delivered; set before the division starts.
    const TDataManager* Manager = nullptr;
    std::uint64_t Estimate = 0;
    bool Ended = false;

private:
    void Show();

    bool Print;
    std::ostream& Out;
    StatusLine& Status;
    std::uint32_t UnitsLeft = 0;
};

// A file operation's progress as a bar on the status line; a cancel is the interrupt.
class CopyProgress : public FileOperationProgress {
public:
    CopyProgress(StatusLine& status, const std::function<bool()>& interrupted)
        : Status(status), Interrupted(interrupted) {}

    void Started(const WorkTitle& title, std::uint64_t totalBytes, std::size_t number,
                 std::size_t count) override;
    void Advanced(std::uint64_t bytesDone, const std::string&) override;
    bool CancelRequested() override { return Interrupted(); }
    void Finished() override;

private:
    StatusLine& Status;
    const std::function<bool()>& Interrupted;
    std::string Title;
    std::uint64_t Total = 0;
};
