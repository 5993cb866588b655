// SPDX-License-Identifier: GPL-3.0-or-later
// The data manager's side of a division: the fit checks before it, the units it places, and the
// division thread's lifetime.
#include "collection/Tdatamanager.h"

#include <algorithm>
#include <map>

#include "disc/DiscFootprint.h"

#include "divide/Dividethread.h"
#include "divide/LowBound.h"
#include "platform/FileSystem.h"
#include "platform/ListView.h"
#include "platform/Prompter.h"
#include "platform/ThreadPriority.h"

namespace {}  // namespace

// The answers for all that hold for the rest of one preparation.
struct TDataManager::OversizeAnswers {
    enum class Remembered { None, Expand, Exclude };
    Remembered Folder = Remembered::None;
    Remembered File = Remembered::None;
};

bool TDataManager::PrepareDivision(std::uint64_t capacity, std::uint64_t lowBound,
                                   std::uint32_t songPause, bool discFootprint) {
    if (Thread)
        return false;  // one division at a time
    if (discFootprint) {
        // Every medium's image needs room for its own structures besides the items.
        const std::uint64_t reserve = DiscImageReserve();
        capacity = capacity > reserve ? capacity - reserve : 0;
        lowBound = std::min(capacity, lowBound > reserve ? lowBound - reserve : 0);
    }
    Groups.clear();
    MediaLowerBound = 0;
    std::map<std::uint32_t, TColGroup> groupMap;
    OversizeAnswers answers;
    bool changed = false;

    const auto refreshIfChanged = [&] {
        if (changed)
            ShowCollection();
    };

    for (auto item = Items.begin(); item != Items.end();) {
        // The sum saturates: a size near the largest value must not wrap round into fitting.
        const std::uint64_t size = discFootprint ? DiscFootprint(item->Path, item->LinkItself, Tree)
                                                 : SaturatingAdd(item->Size, songPause);
        if (size <= capacity) {
            if (!AddToUnit(item, size, capacity, groupMap)) {
                refreshIfChanged();
                Question tooLarge(QuestionKind::GroupTooLarge);
                tooLarge.Number = item->Group;
                Host.prompter.Ask(tooLarge);
                return false;
            }
            ++item;
            continue;
        }

        const OversizeChoice choice = AskAboutOversizedItem(*item, answers);
        if (choice == OversizeChoice::Cancel) {
            refreshIfChanged();
            LocateItem(item->Position.get());
            return false;
        }
        if (choice == OversizeChoice::Expand) {
            // The folder's entries sort right after its own path, so the walk meets them next.
            AddItems({item->Path}, AddFromFolder);
        }
        const TItemPosition excluded = item++;
        // The previous result may refer to the item: it goes with it, whatever follows.
        Media.clear();
        lstMedium.Clear();
        RemoveItem(excluded);
        changed = true;
    }

    refreshIfChanged();
    if (Items.empty())
        return false;
    for (auto& [number, group] : groupMap)
        Groups.push_back(group);
    Media.clear();
    Thread = std::make_unique<TDivideThread>(
        TDivideThreadParams{Groups, capacity, lowBound, Media, Host.uiThread, Host.divisionListener,
                            DivisionPriority, Method, MediumTimeLimit});
    return true;
}

bool TDataManager::AddToUnit(TItemPosition item, std::uint64_t size, std::uint64_t capacity,
                             std::map<std::uint32_t, TColGroup>& groups) {
    if (item->Group == 0) {
        TColGroup unit;
        unit.AddItemOfSize(item, size);
        Groups.push_back(std::move(unit));
        return true;
    }
    return groups[item->Group].AddItemOfSize(item, size) <= capacity;
}

TDataManager::OversizeChoice TDataManager::AskAboutOversizedItem(const TColItem& item,
                                                                 OversizeAnswers& answers) {
    const auto attributes = ReadPathAttributes(item.Path);
    const bool isFolder = !attributes || attributes->Directory;
    if (isFolder) {
        Answer answer = Answer::Cancel;
        if (answers.Folder == OversizeAnswers::Remembered::Expand) {
            answer = Answer::Expand;
        } else if (answers.Folder == OversizeAnswers::Remembered::Exclude) {
            answer = Answer::Exclude;
        } else {
            Question folder(QuestionKind::OversizedFolder, item.Path);
            folder.Answers = {Answer::Expand, Answer::Exclude, Answer::ExpandForAll,
                              Answer::ExcludeForAll, Answer::Cancel};
            folder.Default = Answer::Expand;
            answer = Host.prompter.Ask(folder);
        }
        switch (answer) {
            case Answer::ExpandForAll:
                answers.Folder = OversizeAnswers::Remembered::Expand;
                [[fallthrough]];
            case Answer::Expand:
                return OversizeChoice::Expand;
            case Answer::ExcludeForAll:
                answers.Folder = OversizeAnswers::Remembered::Exclude;
                [[fallthrough]];
            case Answer::Exclude:
                return OversizeChoice::Exclude;
            default:
                return OversizeChoice::Cancel;
        }
    }
    if (answers.File == OversizeAnswers::Remembered::Exclude)
        return OversizeChoice::Exclude;
    Question file(QuestionKind::OversizedFile, item.Path);
    file.Answers = SkipOrCancelForAll;
    file.Default = Answer::Yes;
    const Answer answer = Host.prompter.Ask(file);
    if (answer == Answer::YesToAll)
        answers.File = OversizeAnswers::Remembered::Exclude;
    else if (answer != Answer::Yes)
        return OversizeChoice::Cancel;
    return OversizeChoice::Exclude;
}

void TDataManager::StopDivision() {
    if (Thread)
        Thread->Terminate();
}

int TDataManager::SetDivisionPriority(int position) {
    DivisionPriority = position;
    if (Thread)
        return Thread->SetPriority(position);
    return StrongestPositionAllowed(position);
}

void TDataManager::TakeBestMedium() {
    if (Thread)
        Thread->RequestTakeBest();
}

void TDataManager::RequestDivisionProgress() {
    if (Thread)
        Thread->RequestProgress();
}

std::uint64_t TDataManager::LowBoundOf(std::uint64_t capacity, float tolerance) {
    return ::LowBoundOf(capacity, tolerance);
}

void TDataManager::DivisionFinished() {
    if (Thread)
        MediaLowerBound = Thread->GetMediaLowerBound();
    Thread.reset();
}
