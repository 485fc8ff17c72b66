#ifndef VORLAN_TESTS_WINE_WINEHARNESS_H
#define VORLAN_TESTS_WINE_WINEHARNESS_H

// What the test programs that run under Wine share: a real window, checks with
// a closing summary, and the requests to scripts/wine-test.sh, which reads this
// program's output and answers "ask: ..." lines with xdotool on the window.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

namespace WineTest {

inline int& passedCount() { static int n = 0; return n; }
inline int& failedCount() { static int n = 0; return n; }

inline void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Records one check; the detail says what was seen when it fails.
inline bool check(bool ok, const std::string& what, const std::string& detail = std::string()) {
    ++(ok ? passedCount() : failedCount());
    say((ok ? "ok      " : "FAILED  ") + what + (ok || detail.empty() ? "" : ": " + detail));
    return ok;
}

// The closing line, and the exit code.
inline int summary() {
    std::printf("wine: %d passed, %d failed\n", passedCount(), failedCount());
    std::fflush(stdout);
    return failedCount() == 0 && passedCount() > 0 ? 0 : 1;
}

// Asks the driving script to run "xdotool <args>"; "focus" asks it to focus the
// test window. Returns once the script has done it (it answers with a line on
// standard input); the program then waits for the effect itself, since Wine
// turns X events into input a little later.
inline void ask(const std::string& args) {
    say("ask: " + args);
    char answer[64];
    if (!std::fgets(answer, sizeof answer, stdin))
        say("no answer from the driving script");
}

inline void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Pumps the window's messages until condition holds or timeoutMs pass.
inline bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        pumpMessages();
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(10);
    }
}

// The title the script finds the window by.
inline const char* windowTitle() { return "Vorlan Wine test"; }

// A visible top-level window of 320 x 240.
inline HWND createWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VorlanWineTest";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, windowTitle(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 320, 240, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        pumpMessages();
    }
    return window;
}

// Asks for the focus until the window is the foreground window: up to five
// requests, two seconds each.
inline bool focus(HWND window) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        ask("focus");
        if (waitFor([window] { return GetForegroundWindow() == window; }, 2000))
            return true;
    }
    return false;
}

// Asks for the pointer to move to the middle of the window's client area.
inline void pointToWindow(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT middle{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ClientToScreen(window, &middle);
    ask("mousemove " + std::to_string(middle.x) + " " + std::to_string(middle.y));
}

} // namespace WineTest

#endif
