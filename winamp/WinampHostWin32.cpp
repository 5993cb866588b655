// SPDX-License-Identifier: GPL-3.0-or-later
#include "winamp/WinampHostWin32.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>
#include <vector>

#include "winamp/Winamp.h"

namespace {

// How long the player may take to answer one message, and a started player to bring up its
// window.
constexpr UINT PlayerAnswerMilliseconds = 5000;
constexpr ULONGLONG PlayerStartMilliseconds = 15000;
constexpr DWORD StartPollMilliseconds = 100;

// The player's numbers beyond the ones the player logic sends: its settings folder (ANSI and
// wide; the answer is an address in the player's memory), and the record that appends a file
// given as a wide text. Players from 5.5 (version word 0x5050) take wide texts and write their
// playlist also as UTF-8 beside the ANSI one.
constexpr std::intptr_t AskSettingsFolder = 335;
constexpr std::intptr_t AskSettingsFolderWide = 1335;
constexpr std::uintptr_t AppendWideFile = 1100;
constexpr std::intptr_t FirstWideVersion = 0x5050;
constexpr const wchar_t* AnsiPlaylistName = L"winamp.m3u";
constexpr const wchar_t* Utf8PlaylistName = L"winamp.m3u8";

// What begins a UTF-8 text file.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Where the playlist's UTF-8 copy is kept, in the user's local application data.
constexpr const wchar_t* CopySubfolder = L"vantrel";
// The longest text read from the player's memory, in characters.
constexpr std::size_t PlayerTextLimit = 32768;

std::wstring Wide(const std::string& text, UINT codePage = CP_UTF8) {
    if (text.empty())
        return std::wstring();
    const int size =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

// The wide form of a UTF-8 text; nothing when the text is not valid UTF-8.
std::optional<std::wstring> ExactWide(const std::string& text) {
    if (text.empty())
        return std::wstring();
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
    if (size == 0)
        return std::nullopt;
    return Wide(text);
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

// The text in the ANSI code page; nothing when a character has no exact form there (the system
// would put "?" or a look-alike without its accent in its place).
std::optional<std::string> ExactAnsi(const std::wstring& wide) {
    if (wide.empty() || GetACP() == CP_UTF8)
        return Encoded(wide, CP_ACP);
    BOOL usedDefault = FALSE;
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                            static_cast<int>(wide.size()), nullptr, 0, nullptr, &usedDefault);
    if (size == 0 || usedDefault)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        text.data(), size, nullptr, &usedDefault);
    return text;
}

HWND WindowOf(WinampWindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

// Sends a message and waits for the answer no longer than the player may take; nothing when
// the player hangs, has gone, or takes too long.
std::optional<std::intptr_t> SendBounded(WinampWindowHandle window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(WindowOf(window), message, wParam, lParam, SMTO_ABORTIFHUNG,
                            PlayerAnswerMilliseconds, &answer) == 0)
        return std::nullopt;
    return static_cast<std::intptr_t>(answer);
}

std::optional<std::string> ReadRegistryValue(const std::wstring& key, const std::wstring& name,
                                             REGSAM view) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE | view, &opened) !=
        ERROR_SUCCESS)
        return std::nullopt;
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

std::wstring Environment(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return std::wstring();
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

// A NUL-terminated text at an address in the window's process; empty when it cannot be read.
template <typename Char>
std::basic_string<Char> ReadPlayerText(WinampWindowHandle window, std::intptr_t address) {
    std::basic_string<Char> text;
    DWORD processId = 0;
    if (address == 0 || GetWindowThreadProcessId(WindowOf(window), &processId) == 0)
        return text;
    const HANDLE process = OpenProcess(PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr)
        return text;
    constexpr std::uintptr_t PageSize = 4096;
    auto next = static_cast<std::uintptr_t>(address);
    // Page by page, so the read never reaches into a page that is not there.
    while (text.size() < PlayerTextLimit) {
        std::vector<Char> part((PageSize - next % PageSize + sizeof(Char) - 1) / sizeof(Char));
        SIZE_T read = 0;
        if (!ReadProcessMemory(process, reinterpret_cast<LPCVOID>(next), part.data(),
                               part.size() * sizeof(Char), &read) ||
            read != part.size() * sizeof(Char)) {
            text.clear();
            break;
        }
        const auto end = std::find(part.begin(), part.end(), Char{});
        text.append(part.begin(), end);
        if (end != part.end())
            break;
        next += part.size() * sizeof(Char);
    }
    CloseHandle(process);
    return text;
}

// The folder of the program the window's process runs; empty when the system does not tell.
std::wstring PlayerProgramFolder(WinampWindowHandle window) {
    DWORD processId = 0;
    if (GetWindowThreadProcessId(WindowOf(window), &processId) == 0)
        return std::wstring();
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr)
        return std::wstring();
    std::wstring path(PlayerTextLimit, L'\0');
    auto size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &size))
        size = 0;
    CloseHandle(process);
    path.resize(size);
    return std::filesystem::path(path).parent_path().wstring();
}

// An entry that names its file from the playlist's folder, made to name it from anywhere.
bool IsRelativeEntry(const std::string& line) {
    if (line.empty() || line.front() == '#' || line.front() == '\\' || line.front() == '/')
        return false;
    return !(line.size() >= 2 && line[1] == ':') && line.find("://") == std::string::npos;
}

std::string WithAbsoluteEntries(const std::string& text, const std::string& folder) {
    const std::string prefix = folder.ends_with('\\') ? folder : folder + "\\";
    std::string result;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string line = text.substr(begin, end - begin);
        const std::string entry = line.substr(0, line.find_first_of("\r\n"));
        if (IsRelativeEntry(entry))
            result += prefix;
        result += line;
        begin = end;
    }
    return result;
}

// The folder the playlist's UTF-8 copy is kept in.
std::filesystem::path CopyFolder() {
    std::wstring base = Environment(L"LOCALAPPDATA");
    if (base.empty()) {
        base.assign(MAX_PATH + 1, L'\0');
        base.resize(GetTempPathW(static_cast<DWORD>(base.size()), base.data()));
    }
    return std::filesystem::path(base) / CopySubfolder;
}

// Copies the playlist the player has just written to the copy's path, as UTF-8 and with every
// entry naming its file from anywhere. Nothing is copied when no playlist file is found.
void CopyPlaylist(WinampWindowHandle window, const std::filesystem::path& copy) {
    const bool writesUtf8 =
        SendBounded(window, WinampUserMessage, 0, WinampCommandGetVersion).value_or(0) >=
        FirstWideVersion;
    // Where the player writes its playlist: the settings folder it tells, else the per-user
    // settings folder of its later versions, else its program folder.
    std::vector<std::filesystem::path> folders;
    const std::intptr_t told = SendBounded(window, WinampUserMessage, 0,
                                           writesUtf8 ? AskSettingsFolderWide : AskSettingsFolder)
                                   .value_or(0);
    folders.emplace_back(writesUtf8 ? ReadPlayerText<wchar_t>(window, told)
                                    : Wide(ReadPlayerText<char>(window, told), CP_ACP));
    const std::wstring appData = Environment(L"APPDATA");
    if (!appData.empty())
        folders.push_back(std::filesystem::path(appData) / L"Winamp");
    folders.emplace_back(PlayerProgramFolder(window));

    std::error_code error;
    for (const std::filesystem::path& folder : folders) {
        if (folder.empty())
            continue;
        const bool utf8 = writesUtf8 && std::filesystem::exists(folder / Utf8PlaylistName, error);
        const std::filesystem::path source = folder / (utf8 ? Utf8PlaylistName : AnsiPlaylistName);
        if (!std::filesystem::exists(source, error))
            continue;
        std::ifstream in(source, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad())
            return;
        if (utf8 && text.rfind(ByteOrderMark, 0) == 0)
            text.erase(0, ByteOrderMark.size());
        if (!utf8)
            text = Encoded(Wide(text, CP_ACP), CP_UTF8);
        // The mark says UTF-8 to the playlist's reader, which takes a file without one for ANSI.
        text = std::string(ByteOrderMark) +
               WithAbsoluteEntries(text, Encoded(folder.wstring(), CP_UTF8));
        // Written beside its final name and moved there whole.
        std::filesystem::create_directories(copy.parent_path(), error);
        std::filesystem::path partial = copy;
        partial += L".part";
        bool written = false;
        {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            written = static_cast<bool>(out << text) && static_cast<bool>(out.flush());
        }
        if (!written || !MoveFileExW(partial.c_str(), copy.c_str(), MOVEFILE_REPLACE_EXISTING))
            std::filesystem::remove(partial, error);
        return;
    }
}

}  // namespace

std::optional<std::string> WinampHostWin32::ReadRegistryString(const std::string& key,
                                                               const std::string& valueName) {
    // The player is a 32-bit program and registers itself in the 32-bit view; a 64-bit one
    // would stand in the 64-bit view.
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        if (auto value = ReadRegistryValue(Wide(key), Wide(valueName), view))
            return value;
    }
    return std::nullopt;
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
    // A player may take input well before its main window is up: wait for the window, bounded.
    const std::wstring windowClass = Wide(std::string(WinampWindowClass));
    const ULONGLONG deadline = GetTickCount64() + PlayerStartMilliseconds;
    bool windowUp = false;
    while (GetTickCount64() < deadline) {
        if (FindWindowW(windowClass.c_str(), nullptr) != nullptr) {
            windowUp = true;
            WaitForInputIdle(process.hProcess, static_cast<DWORD>(deadline - GetTickCount64()));
            break;
        }
        // A player that has ended will never bring up its window.
        if (WaitForSingleObject(process.hProcess, StartPollMilliseconds) == WAIT_OBJECT_0)
            break;
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return windowUp;
}

std::optional<std::intptr_t> WinampHostWin32::SendWindowMessage(WinampWindowHandle window,
                                                                std::uint32_t message,
                                                                std::uintptr_t wParam,
                                                                std::intptr_t lParam) {
    if (message != WinampUserMessage || lParam != WinampCommandWritePlaylist)
        return SendBounded(window, message, wParam, lParam);
    const std::filesystem::path copy =
        CopyFolder() / std::filesystem::path(Wide(std::string(WinampPlaylistFileName)));
    // A playlist copied earlier must not pass for the current one when this one fails.
    std::error_code error;
    std::filesystem::remove(copy, error);
    const auto answer = SendBounded(window, message, wParam, lParam);
    if (answer)
        CopyPlaylist(window, copy);
    return answer;
}

bool WinampHostWin32::SendCopyData(WinampWindowHandle window, std::uintptr_t kind,
                                   const std::string& bytes) {
    // The text up to its NUL, sent with its NUL.
    const auto wide = ExactWide(bytes.substr(0, bytes.find('\0')));
    if (!wide)
        return false;
    const auto version = SendBounded(window, WinampUserMessage, 0, WinampCommandGetVersion);
    if (!version)
        return false;
    std::wstring wideText;
    std::string ansiText;
    COPYDATASTRUCT record{};
    if (kind == WinampCopyDataAppendFile && *version >= FirstWideVersion) {
        wideText = *wide + L'\0';
        record.dwData = AppendWideFile;
        record.cbData = static_cast<DWORD>(wideText.size() * sizeof(wchar_t));
        record.lpData = wideText.data();
    } else {
        // An older player reads the ANSI code page: a path with no exact form there would name
        // another file, or none.
        const auto ansi = ExactAnsi(*wide);
        if (!ansi)
            return false;
        ansiText = *ansi + '\0';
        record.dwData = kind;
        record.cbData = static_cast<DWORD>(ansiText.size());
        record.lpData = ansiText.data();
    }
    return SendBounded(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record)).has_value();
}

std::string WinampHostWin32::PlaylistFolder(const std::string&) {
    return Encoded(CopyFolder().wstring(), CP_UTF8) + "\\";
}

std::unique_ptr<WinampHost> CreatePlatformWinampHost() {
    return std::make_unique<WinampHostWin32>();
}
