// The data manager's side of a division: the fit checks before it, the units it places, and the
// division thread's lifetime.
#include "collection/Tdatamanager.h"

#include <map>

#include "divide/Dividethread.h"
#include "divide/LowBound.h"
#include "platform/FileSystem.h"
#include "platform/ListView.h"
#include "platform/Prompter.h"
#include "platform/ThreadPriority.h"

namespace {

const char* const GroupTooLargeText = "Группа элементов №";
const char* const GroupTooLargeTail = " не помещается на выбранный носитель.";
const char* const FolderTooLargeHead = "Папка «";
const char* const FolderTooLargeTail = "» не помещается на выбранный носитель";
const char* const FileTooLargeHead = "Файл «";
const char* const FileTooLargeTail =
    "» не помещается на выбранный носитель.\n\nИсключить файл из рассмотрения?";

enum class RememberedAnswer { None, Expand, Exclude };

}  // namespace

bool TDataManager::PrepareDivision(std::uint64_t capacity, std::uint64_t lowBound,
                                   std::uint32_t songPause) {
    if (Thread)
        return false;  // one division at a time
    Groups.clear();
    std::map<std::uint32_t, TColGroup> groupMap;
    RememberedAnswer folderAnswer = RememberedAnswer::None;
    RememberedAnswer fileAnswer = RememberedAnswer::None;
    bool changed = false;

    const auto refreshIfChanged = [&] {
        if (changed)
            ShowCollection();
    };
    const auto exclude = [&](TItemPosition item) {
        // The previous result may refer to the item: it goes with it, whatever follows.
        Media.clear();
        lstMedium.Clear();
        RemoveItem(item);
        changed = true;
    };

    for (auto item = Items.begin(); item != Items.end();) {
        // The sum saturates: a size near the largest value must not wrap round into fitting.
        if (SaturatingAdd(item->Size, songPause) <= capacity) {
            if (item->Group == 0) {
                TColGroup unit;
                unit.AddItem(item, songPause);
                Groups.push_back(std::move(unit));
            } else {
                TColGroup& group = groupMap[item->Group];
                if (group.AddItem(item, songPause) > capacity) {
                    refreshIfChanged();
                    Host.prompter.MessageBox(
                        GroupTooLargeText + std::to_string(item->Group) + GroupTooLargeTail,
                        PromptIcon::Exclamation, {PromptButton::Ok}, PromptButton::Ok);
                    return false;
                }
            }
            ++item;
            continue;
        }

        const auto attributes = ReadPathAttributes(item->Path);
        const bool isFolder = !attributes || attributes->Directory;
        bool expand = false;
        if (isFolder) {
            DirTooBigAnswer answer = DirTooBigAnswer::Cancel;
            if (folderAnswer == RememberedAnswer::Expand)
                answer = DirTooBigAnswer::Expand;
            else if (folderAnswer == RememberedAnswer::Exclude)
                answer = DirTooBigAnswer::Exclude;
            else
                answer = Host.prompter.AskDirTooBig(FolderTooLargeHead + item->Path +
                                                    FolderTooLargeTail);
            switch (answer) {
                case DirTooBigAnswer::ExpandForAll:
                    folderAnswer = RememberedAnswer::Expand;
                    [[fallthrough]];
                case DirTooBigAnswer::Expand:
                    expand = true;
                    break;
                case DirTooBigAnswer::ExcludeForAll:
                    folderAnswer = RememberedAnswer::Exclude;
                    [[fallthrough]];
                case DirTooBigAnswer::Exclude:
                    break;
                case DirTooBigAnswer::Cancel:
                    refreshIfChanged();
                    LocateItem(item->Position.get());
                    return false;
            }
        } else if (fileAnswer != RememberedAnswer::Exclude) {
            const PromptButton answer = Host.prompter.MessageDialog(
                DialogKind::Warning, FileTooLargeHead + item->Path + FileTooLargeTail,
                {PromptButton::Yes, PromptButton::Cancel, PromptButton::YesToAll},
                PromptButton::Yes);
            if (answer == PromptButton::YesToAll) {
                fileAnswer = RememberedAnswer::Exclude;
            } else if (answer != PromptButton::Yes) {
                refreshIfChanged();
                LocateItem(item->Position.get());
                return false;
            }
        }

        if (expand) {
            // The folder's entries sort right after its own path, so the walk meets them next.
            AddItems({item->Path}, AddFromFolder);
        }
        const TItemPosition excluded = item++;
        exclude(excluded);
    }

    refreshIfChanged();
    if (Items.empty())
        return false;
    for (auto& [number, group] : groupMap)
        Groups.push_back(group);
    Media.clear();
    Thread = std::make_unique<TDivideThread>(TDivideThreadParams{
        Groups, capacity, lowBound, Media, Host.uiThread, Host.divisionListener, DivisionPriority});
    return true;
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
    Thread.reset();
}
