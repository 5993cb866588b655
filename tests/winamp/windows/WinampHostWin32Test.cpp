// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows host against a player window of the player's class in this process (and a player
// program it starts), run under wine. Exits non-zero when a check fails.
#include "winamp/WinampHostWin32.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "winamp/Winamp.h"

namespace {

int Failures = 0;
std::string CurrentCase;

void Check(bool passed, const char* condition, int line) {
    if (passed)
        return;
    ++Failures;
    std::fprintf(stderr, "line %d, %s: failed: %s\n", line, CurrentCase.c_str(), condition);
}
#define CHECK(condition) Check((condition), #condition, __LINE__)

// The player's own numbers: the settings-folder questions and the wide file record.
constexpr std::intptr_t PlayerAsksIniDirectory = 335;
constexpr std::intptr_t PlayerAsksIniDirectoryWide = 1335;
constexpr ULONG_PTR PlayerWideFileRecord = 1100;

// The longest a bounded message may take, with room for a slow machine.
constexpr auto MessageBound = std::chrono::seconds(7);

std::string Utf8(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

std::wstring Wide(const std::string& text, UINT codePage = CP_UTF8) {
    const int size =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string Ansi(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// NULs show as "|".
std::string Shown(std::string text) {
    for (char& c : text) {
        if (c == '\0')
            c = '|';
    }
    return text;
}

// A player window on a thread of its own that answers the player's messages and records them.
class FakePlayer {
public:
    struct Script {
        std::intptr_t Version = 0x2091;
        std::wstring IniDirectory;  // told when asked for the settings folder; empty: not told
        std::filesystem::path PlaylistFile;  // written on the write command; empty: nothing
        std::string PlaylistBytes;
        DWORD HangMilliseconds = 0;  // how long the thread answers nothing once the window is up
    };

    explicit FakePlayer(Script script)
        : Played(std::move(script)),
          IniDirectoryAnsi(Ansi(Played.IniDirectory)),
          Released(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          Ready(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        Thread = std::thread([this] { Run(); });
        WaitForSingleObject(Ready, INFINITE);
    }
    ~FakePlayer() {
        SetEvent(Released);
        PostMessageW(Handle, WM_CLOSE, 0, 0);
        Thread.join();
        CloseHandle(Released);
        CloseHandle(Ready);
    }
    FakePlayer(const FakePlayer&) = delete;
    FakePlayer& operator=(const FakePlayer&) = delete;

    WinampWindowHandle Window() const { return reinterpret_cast<WinampWindowHandle>(Handle); }
    std::vector<std::string> Received() {
        const std::lock_guard lock(Guard);
        return Records;
    }
    // The records of appended files only.
    std::vector<std::string> Appends() {
        std::vector<std::string> appends;
        for (const std::string& record : Received()) {
            if (record.rfind("append ", 0) == 0)
                appends.push_back(record);
        }
        return appends;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* player = reinterpret_cast<FakePlayer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (player != nullptr && message == WinampUserMessage)
            return player->Command(lParam);
        if (player != nullptr && message == WM_COPYDATA)
            return player->Append(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        if (message == WM_CLOSE) {
            DestroyWindow(window);
            return 0;
        }
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    void Record(std::string text) {
        const std::lock_guard lock(Guard);
        Records.push_back(std::move(text));
    }

    LRESULT Command(LPARAM command) {
        switch (command) {
            case WinampCommandGetVersion:
                Record("version");
                return Played.Version;
            case WinampCommandClearPlaylist:
                Record("clear");
                return 0;
            case WinampCommandWritePlaylist:
                Record("write");
                if (!Played.PlaylistFile.empty())
                    WriteFileBytes(Played.PlaylistFile, Played.PlaylistBytes);
                return 0;
            case PlayerAsksIniDirectory:
                return Played.IniDirectory.empty()
                           ? 0
                           : reinterpret_cast<LRESULT>(IniDirectoryAnsi.c_str());
            case PlayerAsksIniDirectoryWide:
                return Played.IniDirectory.empty()
                           ? 0
                           : reinterpret_cast<LRESULT>(Played.IniDirectory.c_str());
            default:
                return 0;
        }
    }

    LRESULT Append(const COPYDATASTRUCT& record) {
        const auto* data = static_cast<const char*>(record.lpData);
        std::string text(data, data + record.cbData);
        if (record.dwData == PlayerWideFileRecord) {
            std::wstring wide(record.cbData / sizeof(wchar_t), L'\0');
            std::copy(data, data + wide.size() * sizeof(wchar_t),
                      reinterpret_cast<char*>(wide.data()));
            text = Utf8(wide);
        }
        Record("append " + std::to_string(record.dwData) + " " + Shown(text));
        return 0;
    }

    void Run() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = L"Winamp v1.x";
        RegisterClassW(&windowClass);
        Handle = CreateWindowW(L"Winamp v1.x", L"Winamp", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr, instance, nullptr);
        SetWindowLongPtrW(Handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetEvent(Ready);
        if (Played.HangMilliseconds > 0)
            WaitForSingleObject(Released, Played.HangMilliseconds);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0)
            DispatchMessageW(&message);
        UnregisterClassW(L"Winamp v1.x", instance);
    }

    Script Played;
    std::string IniDirectoryAnsi;
    HANDLE Released;
    HANDLE Ready;
    HWND Handle = nullptr;
    std::thread Thread;
    std::mutex Guard;
    std::vector<std::string> Records;
};

std::filesystem::path ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return std::filesystem::path(path).parent_path();
}

double SecondsOf(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The 64-bit program finds the player registered in the 32-bit view of the registry, and one
// registered in the 64-bit view when the 32-bit view has none.
void TestRegistryViews() {
    const std::wstring key = Wide(std::string(WinampRegistryKey));
    const std::wstring value = Wide(std::string(WinampRegistryValue));
    struct Case {
        const char* name;
        REGSAM view;
        std::wstring uninstall;
    };
    const std::vector<Case> cases = {
        {"32-bit view", KEY_WOW64_32KEY, L"\"C:\\Program Files (x86)\\Winamp\\UninstWA.exe\""},
        {"64-bit view", KEY_WOW64_64KEY, L"C:\\Program Files\\Winamp\\UninstWA.exe"},
    };
    for (const Case& c : cases) {
        CurrentCase = std::string("registry, ") + c.name;
        HKEY opened = nullptr;
        CHECK(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE | c.view,
                              nullptr, &opened, nullptr) == ERROR_SUCCESS);
        const auto bytes = static_cast<DWORD>((c.uninstall.size() + 1) * sizeof(wchar_t));
        RegSetValueExW(opened, value.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(c.uninstall.c_str()), bytes);
        RegCloseKey(opened);

        WinampHostWin32 host;
        const auto read = host.ReadRegistryString(std::string(WinampRegistryKey),
                                                  std::string(WinampRegistryValue));
        CHECK(read == Utf8(c.uninstall));
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), c.view, 0);
    }
}

// The player's answers come back; clearing and writing reach it.
void TestCommands() {
    CurrentCase = "commands";
    FakePlayer player(FakePlayer::Script{});
    WinampHostWin32 host;
    const auto window = host.FindTopLevelWindow(std::string(WinampWindowClass));
    CHECK(window == player.Window());
    CHECK(host.SendWindowMessage(player.Window(), WinampUserMessage, 0, WinampCommandGetVersion) ==
          0x2091);
    CHECK(host.SendWindowMessage(player.Window(), WinampUserMessage, 0, WinampCommandClearPlaylist)
              .has_value());
    CHECK(host.SendWindowMessage(player.Window(), WinampUserMessage, 0, WinampCommandWritePlaylist)
              .has_value());
    // Writing may ask more of the player afterwards, to find the file it wrote.
    const std::vector<std::string> received = player.Received();
    CHECK(received.size() >= 3 &&
          std::vector<std::string>(received.begin(), received.begin() + 3) ==
              (std::vector<std::string>{"version", "clear", "write"}));
}

// A path reaches the player exactly: wide where its version takes wide paths, in the ANSI code
// page where the path has an exact form there, and not at all otherwise (never as "?" or with
// its accents dropped).
void TestAppends() {
    const std::wstring accented = L"C:\\Music\\caf\u00e9.mp3";  // in the ANSI code page here
    const std::wstring foreign = L"C:\\\u041c\u0443\u0437\u044b\u043a\u0430\\\u0151 \u0436.mp3";
    struct Case {
        const char* name;
        std::intptr_t version;
        std::wstring path;
        bool expectedTaken;
        std::vector<std::string> expectedAppends;
    };
    const std::vector<Case> cases = {
        {"plain path, ANSI player",
         0x2091,
         L"C:\\Music\\a.mp3",
         true,
         {"append 100 C:\\Music\\a.mp3|"}},
        {"accented path, ANSI player",
         0x5001,
         accented,
         true,
         {"append 100 " + Shown(Ansi(accented + L'\0'))}},
        {"path outside the code page, ANSI player", 0x2091, foreign, false, {}},
        {"path outside the code page, wide player",
         0x5066,
         foreign,
         true,
         {"append 1100 " + Utf8(foreign) + "|"}},
        {"plain path, wide player",
         0x5050,
         L"C:\\Music\\a.mp3",
         true,
         {"append 1100 C:\\Music\\a.mp3|"}},
    };
    for (const Case& c : cases) {
        CurrentCase = std::string("append, ") + c.name;
        FakePlayer::Script script;
        script.Version = c.version;
        FakePlayer player(script);
        WinampHostWin32 host;
        CHECK(host.SendCopyData(player.Window(), WinampCopyDataAppendFile, Utf8(c.path) + '\0') ==
              c.expectedTaken);
        CHECK(player.Appends() == c.expectedAppends);
    }
}

// The playlist the player has just written is read from where its version writes it, in its
// encoding, and comes back as UTF-8 after the mark that tells its reader so (without it, the
// reader took a copy for ANSI and garbled every name outside ASCII); an earlier one never passes
// for it.
void TestPlaylistFile(const std::filesystem::path& root) {
    const std::string mark = "\xEF\xBB\xBF";
    const std::string unicodeList = "#EXTM3U\r\n#EXTINF:61,\xd0\x96\r\nC:\\\xd0\x96.mp3\r\n";
    const std::wstring accentedEntry = L"#EXTM3U\r\n#EXTINF:61,caf\u00e9\r\nC:\\caf\u00e9.mp3\r\n";
    // The player window of this process belongs to this program, in this program's folder.
    const std::filesystem::path programFolder = ProgramFolder();
    const std::filesystem::path settingsFolder = root / L"settings \u0436";
    const std::filesystem::path appData = root / L"appdata";
    struct Case {
        const char* name;
        std::intptr_t version;
        std::wstring iniDirectory;
        std::filesystem::path written;
        std::string bytes;
        std::string expectedPlaylist;  // empty: no playlist file
    };
    const std::vector<Case> cases = {
        {"the folder the player tells, UTF-8", 0x5066, settingsFolder.wstring(),
         settingsFolder / L"winamp.m3u8", unicodeList, mark + unicodeList},
        {"the per-user settings folder, ANSI", 0x5010, L"", appData / L"Winamp" / L"winamp.m3u",
         Ansi(accentedEntry), mark + Utf8(accentedEntry)},
        {"the program folder, ANSI, a relative entry", 0x2091, L"", programFolder / L"winamp.m3u",
         Ansi(accentedEntry) + "b.mp3\r\n",
         mark + Utf8(accentedEntry) + Utf8(programFolder.wstring()) + "\\b.mp3\r\n"},
        {"nothing written", 0x2091, L"", L"", "", ""},
    };
    SetEnvironmentVariableW(L"APPDATA", appData.c_str());
    for (const Case& c : cases) {
        CurrentCase = std::string("playlist file, ") + c.name;
        std::filesystem::remove_all(root);
        std::filesystem::remove(programFolder / L"winamp.m3u");
        FakePlayer player(FakePlayer::Script{c.version, c.iniDirectory, c.written, c.bytes});
        WinampHostWin32 host;
        const std::string winampDir = Utf8(programFolder.wstring() + L"\\");
        CHECK(host.SendWindowMessage(player.Window(), WinampUserMessage, 0,
                                     WinampCommandWritePlaylist)
                  .has_value());
        const std::filesystem::path playlist =
            Wide(host.PlaylistFolder(winampDir) + std::string(WinampPlaylistFileName));
        CHECK(std::filesystem::exists(playlist) == !c.expectedPlaylist.empty());
        CHECK(ReadFileBytes(playlist) == c.expectedPlaylist);
    }
    std::filesystem::remove(programFolder / L"winamp.m3u");
}

// A player whose thread answers nothing holds no message longer than the bound.
void TestHungPlayer() {
    CurrentCase = "hung player";
    FakePlayer::Script script;
    script.Version = 0x5066;
    script.HangMilliseconds = 20000;
    FakePlayer player(script);
    WinampHostWin32 host;
    std::optional<std::intptr_t> version;
    bool taken = true;
    const double versionSeconds = SecondsOf([&] {
        version =
            host.SendWindowMessage(player.Window(), WinampUserMessage, 0, WinampCommandGetVersion);
    });
    const double appendSeconds = SecondsOf([&] {
        taken = host.SendCopyData(player.Window(), WinampCopyDataAppendFile,
                                  std::string("C:\\a.mp3") + '\0');
    });
    CHECK(!version.has_value());
    CHECK(!taken);
    CHECK(versionSeconds < std::chrono::duration<double>(MessageBound).count());
    CHECK(appendSeconds < std::chrono::duration<double>(MessageBound).count());
}

// A started player whose window comes up after it first takes input is waited for; one that
// ends without a window is not.
void TestStart() {
    const std::string program = Utf8((ProgramFolder() / L"vantrel_fake_winamp.exe").wstring());
    WinampHostWin32 host;

    CurrentCase = "start, window comes up late";
    CHECK(host.StartAndWaitForInputIdle(program));
    const HWND window = FindWindowW(L"Winamp v1.x", nullptr);
    CHECK(window != nullptr);
    if (window != nullptr)
        PostMessageW(window, WM_CLOSE, 0, 0);

    CurrentCase = "start, player ends at once";
    SetEnvironmentVariableW(L"VANTREL_FAKE_PLAYER_EXIT", L"1");
    bool started = true;
    const double seconds = SecondsOf([&] { started = host.StartAndWaitForInputIdle(program); });
    SetEnvironmentVariableW(L"VANTREL_FAKE_PLAYER_EXIT", nullptr);
    CHECK(!started);
    CHECK(seconds < std::chrono::duration<double>(MessageBound).count());
}

}  // namespace

int main() {
    const std::filesystem::path root = ProgramFolder() / L"winamp-host-test";
    TestRegistryViews();
    TestCommands();
    TestAppends();
    TestPlaylistFile(root);
    TestHungPlayer();
    TestStart();
    std::filesystem::remove_all(root);
    std::fprintf(stderr, "%s: %d failed check(s)\n", Failures == 0 ? "passed" : "FAILED", Failures);
    return Failures == 0 ? 0 : 1;
}
