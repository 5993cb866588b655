// SPDX-License-Identifier: GPL-3.0-or-later
#include "winamp/WinampHostWin32.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

// How long a started player may take before it accepts input.
constexpr DWORD PlayerStartMilliseconds = 15000;

std::wstring Wide(const std::string& text) {
    if (text.empty())
        return std::wstring();
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string Encoded(const std::wstring& wide, UINT codePage) {
    if (wide.empty())
        return std::string();
    const int size = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

HWND WindowOf(WinampWindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

}  // namespace

std::optional<std::string> WinampHostWin32::ReadRegistryString(const std::string& key,
                                                               const std::string& valueName) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(key).c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring name = Wide(valueName);
    std::optional<std::string> value;
    DWORD type = 0;
    DWORD size = 0;
    // First the size, then the text.
    if (RegQueryValueExW(opened, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(opened, name.c_str(), nullptr, nullptr,
                             reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS) {
            // The stored text need not end with its NUL.
            buffer[std::min<std::size_t>(size / sizeof(wchar_t), buffer.size() - 1)] = L'\0';
            value = Encoded(std::wstring(buffer.data()), CP_UTF8);
        }
    }
    RegCloseKey(opened);
    return value;
}

bool WinampHostWin32::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<WinampWindowHandle> WinampHostWin32::FindTopLevelWindow(
    const std::string& windowClass) {
    const HWND window = FindWindowW(Wide(windowClass).c_str(), nullptr);
    if (window == nullptr)
        return std::nullopt;
    return reinterpret_cast<WinampWindowHandle>(window);
}

void WinampHostWin32::RestoreAndBringToFront(WinampWindowHandle window) {
    if (IsIconic(WindowOf(window)))
        ShowWindow(WindowOf(window), SW_RESTORE);
    SetForegroundWindow(WindowOf(window));
}

bool WinampHostWin32::StartAndWaitForInputIdle(const std::string& program) {
    const std::wstring application = Wide(program);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), nullptr, nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process))
        return false;
    // Bounded, so a player that never takes input cannot hold the window for ever; the window
    // search that follows tells whether it came up.
    WaitForInputIdle(process.hProcess, PlayerStartMilliseconds);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return true;
}

std::intptr_t WinampHostWin32::SendWindowMessage(WinampWindowHandle window, std::uint32_t message,
                                                 std::uintptr_t wParam, std::intptr_t lParam) {
    return SendMessageW(WindowOf(window), message, wParam, lParam);
}

void WinampHostWin32::SendCopyData(WinampWindowHandle window, std::uintptr_t kind,
                                   const std::string& bytes) {
    // The text up to its NUL, converted, and the NUL again.
    std::string text = Encoded(Wide(bytes.substr(0, bytes.find('\0'))), CP_ACP);
    text.push_back('\0');
    COPYDATASTRUCT record{};
    record.dwData = kind;
    record.cbData = static_cast<DWORD>(text.size());
    record.lpData = text.data();
    SendMessageW(WindowOf(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
}

std::string WinampHostWin32::PlaylistFolder(const std::string& winampDir) {
    return winampDir;
}

std::unique_ptr<WinampHost> CreatePlatformWinampHost() {
    return std::make_unique<WinampHostWin32>();
}
