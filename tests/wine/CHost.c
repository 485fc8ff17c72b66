/* A host in C built in the Windows compiler's ABI (clang in MSVC mode, linked
 * by lld-link), driving Vorlan.dll through its C interface only, under Wine: a
 * key press gives down, pressed and up; mouse motion a relative axis action.
 * There is no C runtime here: the program has its own entry point, declares
 * the few kernel32 and user32 functions it calls, and talks to
 * scripts/wine-test.sh through its standard handles, as WineHarness.h does. */

#include "VorlanC.h"

#include <stddef.h>
#include <stdint.h>

/* ---- The Windows API this host uses ---- */

typedef void* HANDLE;
typedef HANDLE HWND;
typedef HANDLE HINSTANCE;
typedef unsigned long DWORD;
typedef int BOOL;
typedef unsigned int UINT;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef LRESULT(__stdcall* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef struct { long x, y; } POINT;
typedef struct { long left, top, right, bottom; } RECT;
typedef struct { HWND hwnd; UINT message; WPARAM wParam; LPARAM lParam; DWORD time; POINT pt; DWORD lPrivate; } MSG;
typedef struct {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra, cbWndExtra;
    HINSTANCE hInstance;
    HANDLE hIcon, hCursor, hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
} WNDCLASSA;

#define WINAPI __declspec(dllimport) __stdcall
HANDLE WINAPI GetStdHandle(DWORD kind);
BOOL WINAPI WriteFile(HANDLE file, const void* data, DWORD size, DWORD* written, void* overlapped);
BOOL WINAPI ReadFile(HANDLE file, void* data, DWORD size, DWORD* read, void* overlapped);
DWORD WINAPI GetTickCount(void);
void WINAPI Sleep(DWORD milliseconds);
void WINAPI ExitProcess(UINT code);
HINSTANCE WINAPI GetModuleHandleA(const char* name);
unsigned short WINAPI RegisterClassA(const WNDCLASSA* windowClass);
HWND WINAPI CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                            int width, int height, HWND parent, HANDLE menu, HINSTANCE instance, void* param);
LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI ShowWindow(HWND window, int show);
BOOL WINAPI PeekMessageA(MSG* msg, HWND window, UINT first, UINT last, UINT remove);
BOOL WINAPI TranslateMessage(const MSG* msg);
LRESULT WINAPI DispatchMessageA(const MSG* msg);
HWND WINAPI GetForegroundWindow(void);
BOOL WINAPI GetClientRect(HWND window, RECT* rect);
BOOL WINAPI ClientToScreen(HWND window, POINT* point);
#define STD_INPUT_HANDLE ((DWORD)-10)
#define STD_OUTPUT_HANDLE ((DWORD)-11)

/* The compiler may call it to zero structures. */
void* memset(void* target, int value, size_t size) {
    unsigned char* p = target;
    while (size--)
        *p++ = (unsigned char)value;
    return target;
}

/* ---- Lines to and from the driving script ---- */

typedef struct { char text[256]; int length; } Line;

static void add(Line* line, const char* text) {
    while (*text && line->length < (int)sizeof line->text - 1)
        line->text[line->length++] = *text++;
    line->text[line->length] = '\0';
}

static void addNumber(Line* line, long number) {
    char digits[24];
    int n = 0;
    unsigned long magnitude = number < 0 ? 0ul - (unsigned long)number : (unsigned long)number;
    if (number < 0)
        add(line, "-");
    do
        digits[n++] = (char)('0' + magnitude % 10);
    while ((magnitude /= 10) != 0);
    while (n > 0) {
        char one[2] = {digits[--n], '\0'};
        add(line, one);
    }
}

static void say(Line* line) {
    DWORD written;
    add(line, "\n");
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line->text, (DWORD)line->length, &written, NULL);
}

static int passed, failed;

static int check(int ok, const char* what) {
    Line line = {{0}, 0};
    ++*(ok ? &passed : &failed);
    add(&line, ok ? "ok      " : "FAILED  ");
    add(&line, what);
    if (!ok && *vorlan_last_error()) {
        add(&line, ": ");
        add(&line, vorlan_last_error());
    }
    say(&line);
    return ok;
}

/* Asks the script to run "xdotool ARGS" (or focus the window) and waits for its answer line. */
static void ask(Line* request) {
    char c = 0;
    DWORD got = 0;
    Line line = {{0}, 0};
    add(&line, "ask: ");
    add(&line, request->text);
    say(&line);
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &c, 1, &got, NULL) && got == 1 && c != '\n')
        ;
}

static void askText(const char* text) {
    Line line = {{0}, 0};
    add(&line, text);
    ask(&line);
}

/* ---- The window ---- */

static void pumpMessages(void) {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, 1)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

static HWND createWindow(void) {
    WNDCLASSA windowClass = {0};
    HWND window;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "VorlanCHost";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(0, windowClass.lpszClassName, "Vorlan Wine test", 0x00CF0000 | 0x10000000, 0, 0, 320,
                             240, NULL, NULL, windowClass.hInstance, NULL);
    if (window) {
        ShowWindow(window, 5);
        pumpMessages();
    }
    return window;
}

static int focus(HWND window) {
    int attempt;
    for (attempt = 0; attempt < 5; ++attempt) {
        DWORD start = GetTickCount();
        askText("focus");
        while (GetTickCount() - start < 2000) {
            pumpMessages();
            if (GetForegroundWindow() == window)
                return 1;
            Sleep(10);
        }
    }
    return 0;
}

/* ---- Frames ---- */

enum { KEY_DOWN = 900101, KEY_PRESSED = 900102, KEY_UP = 900103, MOUSE_X = 900201 };
enum { KEY_A = 0x1E, MOUSE_X_CODE = 1024 };

/* Every action so far, in the order the frames gave them. */
static vorlan_action seen[4096];
static int seenCount;

/* One frame through an array of four, so that a busy frame comes in several calls. */
static void frame(void) {
    int result, count;
    do {
        vorlan_action some[4];
        int i;
        result = vorlan_process(some, 4, &count);
        for (i = 0; i < count && seenCount < 4096; ++i)
            seen[seenCount++] = some[i];
    } while (result == VORLAN_MORE_ACTIONS);
    if (result < 0)
        check(0, "vorlan_process");
}

static int countOf(int32_t action, int from) {
    int n = 0;
    for (; from < seenCount; ++from)
        n += seen[from].action == action;
    return n;
}

/* Runs frames ten milliseconds apart until command has come at least times times (since from). */
static int runUntil(int32_t command, int times, int from, DWORD timeout) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout) {
        pumpMessages();
        frame();
        if (countOf(command, from) >= times)
            return 1;
        Sleep(10);
    }
    return 0;
}

static void checkKey(void) {
    int i, first = -1, last = -1, order = 1;
    askText("keydown a");
    check(runUntil(KEY_DOWN, 1, 0, 5000), "a key press gives the down action");
    check(runUntil(KEY_PRESSED, 3, 0, 2000), "a held key gives pressed actions frame after frame");
    askText("keyup a");
    check(runUntil(KEY_UP, 1, 0, 5000), "the release gives the up action");
    for (i = 0; i < seenCount; ++i) {
        int32_t a = seen[i].action;
        if (a != KEY_DOWN && a != KEY_PRESSED && a != KEY_UP)
            continue;
        if (first < 0)
            first = i;
        else if (a == KEY_DOWN || seen[last].action == KEY_UP)
            order = 0;
        last = i;
    }
    check(order && first >= 0 && seen[first].action == KEY_DOWN && seen[last].action == KEY_UP &&
              !seen[first].has_value && seen[first].device == 0,
          "key actions come as down, pressed..., up from device 0");
}

static void checkMouse(HWND window) {
    RECT client;
    POINT middle;
    Line move = {{0}, 0};
    int before, i, moved = 0;
    GetClientRect(window, &client);
    middle.x = (client.left + client.right) / 2;
    middle.y = (client.top + client.bottom) / 2;
    ClientToScreen(window, &middle);
    add(&move, "mousemove ");
    addNumber(&move, middle.x);
    add(&move, " ");
    addNumber(&move, middle.y);
    ask(&move);  /* Wine sees the pointer only over its windows: bring it in, and let that move pass */
    runUntil(MOUSE_X, 1, seenCount, 1000);
    before = seenCount;
    askText("mousemove_relative -- 40 0");
    runUntil(MOUSE_X, 1, before, 5000);
    for (i = before; i < seenCount && !moved; ++i)
        moved = seen[i].action == MOUSE_X && seen[i].value > 0 && seen[i].has_value && !seen[i].absolute &&
                seen[i].device == 1024;
    check(moved, "mouse motion to the right gives a relative X axis action with a positive value from device 1024");
}

static int same(const char* a, const char* b) {
    while (*a && *a == *b)
        ++a, ++b;
    return *a == *b;
}

/* The device names, one after another, hold "Keyboard" and "Mouse". */
static void checkDevices(void) {
    char names[1024];
    int size, count, i, keyboard = 0, mouse = 0, type = 0;
    const char* name = names;
    check(vorlan_get_devices(names, (int)sizeof names, &size, &count) == VORLAN_OK, "vorlan_get_devices");
    for (i = 0; i < count; ++i) {
        keyboard |= same(name, "Keyboard");
        mouse |= same(name, "Mouse");
        while (*name++)
            ;
    }
    check(keyboard && mouse, "the devices include the keyboard and the mouse");
    check(vorlan_get_device_type("Mouse", &type) == VORLAN_OK && type == VORLAN_DEVICE_MOUSE,
          "vorlan_get_device_type knows the mouse");
}

static int run(void) {
    const HWND window = createWindow();
    if (!check(window != NULL, "a window") || !check(focus(window), "the window has the focus"))
        return 1;
    if (!check(vorlan_initialize(window) == VORLAN_OK, "vorlan_initialize"))
        return 1;
    checkDevices();
    check(vorlan_create_layer("wine") == VORLAN_OK &&
              vorlan_add_key_combo("wine", KEY_A, NULL, 0, KEY_DOWN, KEY_PRESSED, KEY_UP) == VORLAN_OK &&
              vorlan_add_axis_combo("wine", MOUSE_X_CODE, NULL, 0, MOUSE_X, NULL) == VORLAN_OK &&
              vorlan_set_top_layer("wine") == VORLAN_OK && vorlan_activate(1) == VORLAN_OK,
          "the bindings");
    runUntil(0, 1, 0, 100);  /* the first frames drain what came before */
    checkKey();
    checkMouse(window);
    check(vorlan_activate(0) == VORLAN_OK && vorlan_uninitialize() == VORLAN_OK, "deactivate and uninitialize");
    return 0;
}

void mainCRTStartup(void) {
    Line summary = {{0}, 0};
    run();
    add(&summary, "wine: ");
    addNumber(&summary, passed);
    add(&summary, " passed, ");
    addNumber(&summary, failed);
    add(&summary, " failed");
    say(&summary);
    ExitProcess(failed == 0 && passed > 0 ? 0 : 1);
}
