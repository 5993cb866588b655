// SPDX-License-Identifier: GPL-3.0-or-later
#include "winamp/Winamp.h"

#include "platform/FileSystem.h"
#include "platform/Prompter.h"
#include "winamp/PlayerExchangeProgress.h"
#include "winamp/WinampPathDialog.h"

namespace {

constexpr std::intptr_t FirstSupportedVersion = 0x1666;
constexpr std::intptr_t FirstWinamp3Version = 0x3000;
constexpr std::intptr_t LastWinamp3Version = 0x5000;

// The folder part of a registered uninstall command: everything up to and including its last
// delimiter, without the opening quote of a quoted command.
std::string FolderOfUninstallString(const std::string& uninstall) {
    const auto delimiter = uninstall.find_last_of(PathDelimiter);
    std::string folder =
        delimiter == std::string::npos ? std::string() : uninstall.substr(0, delimiter + 1);
    if (!folder.empty() && folder.front() == '"')
        folder.erase(0, 1);
    return folder;
}

// A notice about the player, which it names.
void ShowNotice(Prompter& questions, QuestionKind kind) {
    questions.Ask(Question(kind, {}, std::string(PlayerName)));
}

}  // namespace

std::string WithPlayerName(std::string_view text) {
    constexpr std::string_view written = "Winamp";
    std::string named;
    for (std::size_t found; (found = text.find(written)) != std::string_view::npos;) {
        named.append(text.substr(0, found)).append(PlayerName);
        text.remove_prefix(found + written.size());
    }
    return named.append(text);
}

std::size_t WinampHost::AppendFiles(WinampWindowHandle window,
                                    const std::vector<std::string>& paths, const std::string&) {
    std::size_t taken = 0;
    while (taken < paths.size() &&
           SendCopyData(window, WinampCopyDataAppendFile, paths[taken] + '\0'))
        ++taken;
    return taken;
}

WinampVersionSupport CheckWinampVersion(std::intptr_t versionWord) {
    if (versionWord < FirstSupportedVersion)
        return WinampVersionSupport::TooOld;
    if (versionWord >= FirstWinamp3Version && versionWord <= LastWinamp3Version)
        return WinampVersionSupport::Winamp3;
    return WinampVersionSupport::Supported;
}

TWinamp::TWinamp(WinampHost& host, Prompter& prompter, WinampPathDialog& pathDialog)
    : Host(host), Questions(prompter), PathDialog(pathDialog) {}

bool TWinamp::LocateWinampDir() {
    if (!WinampDir.empty())
        return true;
    if (const auto uninstall = Host.ReadRegistryString(std::string(WinampRegistryKey),
                                                       std::string(WinampRegistryValue)))
        WinampDir = FolderOfUninstallString(*uninstall);
    // An empty folder stands for the current folder: a player there is used without asking.
    if (Host.FileExists(WinampDir + std::string(WinampProgramFile)))
        return true;
    const auto chosen = PathDialog.Execute(WinampDir);
    WinampDir = chosen.value_or(std::string());
    return chosen.has_value();
}

std::optional<WinampWindowHandle> TWinamp::findWinamp() {
    // The folder comes first: without it nothing is looked for, even while the player runs.
    if (!LocateWinampDir())
        return std::nullopt;
    if (Host.InstallationMissing()) {
        ShowNotice(Questions, QuestionKind::PlayerControlMissing);
        return std::nullopt;
    }
    // A player that is there but does not answer is found all the same: no second one is started.
    const std::string windowClass(WinampWindowClass);
    if (const auto window = Host.FindTopLevelWindow(windowClass)) {
        Host.RestoreAndBringToFront(*window);
        return window;
    }
    if (!Host.StartAndWaitForInputIdle(WinampDir + std::string(WinampProgramFile))) {
        ShowNotice(Questions, QuestionKind::PlayerNotStarted);
        return std::nullopt;
    }
    return Host.FindTopLevelWindow(windowClass);
}

std::string TWinamp::getWinampPlaylistFile(PlayerExchangeProgress* progress) {
    const auto window = findWinamp();
    if (!window)
        return std::string();
    const auto version =
        Host.SendWindowMessage(*window, WinampUserMessage, 0, WinampCommandGetVersion);
    if (!version) {
        ShowNotice(Questions, QuestionKind::PlayerNotAnswering);
        return std::string();
    }
    const WinampVersionSupport support = CheckWinampVersion(*version);
    if (support != WinampVersionSupport::Supported) {
        ShowNotice(Questions, support == WinampVersionSupport::TooOld ? QuestionKind::PlayerTooOld
                                                                      : QuestionKind::PlayerThree);
        return std::string();
    }
    // Nothing is read from a playlist the player did not finish writing; one the user stopped
    // needs no message.
    Host.ReportExportTo(progress);
    const auto written =
        Host.SendWindowMessage(*window, WinampUserMessage, 0, WinampCommandWritePlaylist);
    Host.ReportExportTo(nullptr);
    if (!written) {
        if (progress == nullptr || !progress->CancelRequested())
            ShowNotice(Questions, QuestionKind::PlaylistNotReceived);
        return std::string();
    }
    return Host.PlaylistFolder(WinampDir) + std::string(WinampPlaylistFileName);
}

bool TWinamp::addFilesToWinamp(const std::vector<std::string>& paths, const std::string& playlist) {
    WinampWindow = findWinamp();
    if (!WinampWindow)
        return false;
    if (!Host.SendWindowMessage(*WinampWindow, WinampUserMessage, 0, WinampCommandClearPlaylist)) {
        ShowNotice(Questions, QuestionKind::PlayerNotAnswering);
        return false;
    }
    const std::size_t taken = Host.AppendFiles(*WinampWindow, paths, playlist);
    if (taken == paths.size())
        return true;
    Question interrupted(QuestionKind::PlaylistNotSent, {}, std::string(PlayerName));
    interrupted.Number = taken;
    interrupted.Count = paths.size();
    Questions.Ask(interrupted);
    return false;
}
