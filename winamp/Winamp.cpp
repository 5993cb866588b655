// SPDX-License-Identifier: GPL-3.0-or-later
#include "winamp/Winamp.h"

#include "platform/FileSystem.h"
#include "platform/Prompter.h"
#include "winamp/WinampPathDialog.h"

namespace {

constexpr const char* CannotStartWinamp = "Не могу запустить Winamp!";
constexpr const char* WinampTooOld =
    "У Вас установлен слишком старый Winamp.\nПоддерживаются версии не ниже 1.666. Извините.";
constexpr const char* Winamp3Installed =
    "У Вас установлен Winamp 3.х.\nПоддерживаются только "
    "версии 1.666 - 2.9х и 5.х. Извините.";

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

}  // namespace

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
    const std::string windowClass(WinampWindowClass);
    if (const auto window = Host.FindTopLevelWindow(windowClass)) {
        Host.RestoreAndBringToFront(*window);
        return window;
    }
    if (!Host.StartAndWaitForInputIdle(WinampDir + std::string(WinampProgramFile))) {
        Questions.MessageBox(CannotStartWinamp, PromptIcon::Exclamation, {PromptButton::Ok},
                             PromptButton::Ok);
        return std::nullopt;
    }
    return Host.FindTopLevelWindow(windowClass);
}

std::string TWinamp::getWinampPlaylistFile() {
    const auto window = findWinamp();
    if (!window)
        return std::string();
    const std::intptr_t version =
        Host.SendWindowMessage(*window, WinampUserMessage, 0, WinampCommandGetVersion);
    const WinampVersionSupport support = CheckWinampVersion(version);
    if (support != WinampVersionSupport::Supported) {
        Questions.MessageBox(
            support == WinampVersionSupport::TooOld ? WinampTooOld : Winamp3Installed,
            PromptIcon::Exclamation, {PromptButton::Ok}, PromptButton::Ok);
        return std::string();
    }
    Host.SendWindowMessage(*window, WinampUserMessage, 0, WinampCommandWritePlaylist);
    return Host.PlaylistFolder(WinampDir) + std::string(WinampPlaylistFileName);
}

bool TWinamp::addFileToWinamp(const std::string& path, bool clearFirst) {
    if (clearFirst) {
        WinampWindow = findWinamp();
        if (!WinampWindow)
            return false;
        Host.SendWindowMessage(*WinampWindow, WinampUserMessage, 0, WinampCommandClearPlaylist);
    }
    // Without a located player there is no window to append to: nothing is sent.
    if (!WinampWindow)
        return false;
    Host.SendCopyData(*WinampWindow, WinampCopyDataAppendFile, path + '\0');
    return true;
}
