// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/RunProgress.h"

#include <ostream>

#include "collection/Tdatamanager.h"
#include "collection/ValueTexts.h"
#include "tools/StatusLine.h"
#include "ui/WorkTitleTexts.h"

void PlanListener::addResultMedium() {
    const std::size_t number = Manager->GetMedia().size();
    if (Print) {
        const TMedium& medium = Manager->GetMedia().back();
        Status.Clear();
        Out << MediumCaption << number << '\t' << Manager->ValueText(MediumTotal(medium)) << '\n';
        for (const auto& item : medium)
            Out << '\t' << item->Path << '\n';
        Out << std::flush;
    }
    Show();
}

void PlanListener::ShowDivisionProgress(std::int32_t, std::uint32_t, std::uint64_t,
                                        std::uint32_t unitsLeft) {
    UnitsLeft = unitsLeft;
    Show();
}

void PlanListener::DivisionEnded() {
    Ended = true;
    Status.Clear();
}

void PlanListener::Show() {
    const std::size_t media = Manager->GetMedia().size();
    Status.Show(ProgressBar(media, Estimate) + " media: " + std::to_string(media) + " of about " +
                std::to_string(Estimate) + ", units left: " + std::to_string(UnitsLeft));
}

void CopyProgress::Started(const WorkTitle& title, std::uint64_t totalBytes, std::size_t number,
                           std::size_t count) {
    const std::string words = WorkTitleText(title).toStdString();
    Title = count > 1 ? words + " (" + std::to_string(number) + "/" + std::to_string(count) + ")"
                      : words;
    Total = totalBytes;
    Advanced(0, std::string());
}

void CopyProgress::Advanced(std::uint64_t bytesDone, const std::string&) {
    Status.Show(ProgressBar(bytesDone, Total) + " " + Title);
}

void CopyProgress::Finished() {
    Status.Clear();
}
