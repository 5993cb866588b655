// SPDX-License-Identifier: GPL-3.0-or-later
// A player program for the host's start test: it takes input at once, as a player loading its
// settings does, and brings up its main window only a while later. With VANTREL_FAKE_PLAYER_EXIT
// set it ends at once without any window. It ends when its window is closed, or after a minute.
#include <windows.h>

namespace {

constexpr DWORD WindowDelayMilliseconds = 1500;
constexpr UINT_PTR LifetimeTimer = 1;
constexpr UINT LifetimeMilliseconds = 60000;

LRESULT CALLBACK PlayerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER || message == WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (GetEnvironmentVariableW(L"VANTREL_FAKE_PLAYER_EXIT", nullptr, 0) != 0)
        return 0;
    // Waiting on the queue makes the process idle: whoever waits for its input stops waiting.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, WindowDelayMilliseconds, QS_ALLINPUT);
    MSG message;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PlayerProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"Winamp v1.x";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowW(L"Winamp v1.x", L"Winamp", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                      100, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    SetTimer(window, LifetimeTimer, LifetimeMilliseconds, nullptr);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
