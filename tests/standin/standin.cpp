// Stand-in for the DingTalk client in end-to-end tests: a borderless topmost window
// titled "钉钉" that paints given pixels (the live-room entry) and records every mouse
// press and release. Set up through the environment, which the program under test passes on:
//   STANDIN_RECT          "left,top,width,height" of the window at start
//   STANDIN_POINTS        "x,y,r,g,b;..." pixels in window coordinates
//   STANDIN_POINTS_DELAY  milliseconds before the pixels show
//   STANDIN_SQUARE        n: each point is a square of 2n+1 pixels a side, as a button is;
//                         a window stretched for a scaled display blurs a lone pixel
//   STANDIN_WINDOW_DELAY  milliseconds before the window opens (a slow start at logon)
//   STANDIN_MINIMIZED     "1": the window starts minimised
//   STANDIN_HOVER         "r,g,b,ms": a point turns this colour once the cursor has rested on
//                         it for ms milliseconds, as a button lights up, and turns back
//                         as soon as the cursor leaves it
//   STANDIN_COVER         "left,top,width,height" of another window, opened over this one
//                         (which is then not topmost, so that it can be covered)
//   STANDIN_BLACKOUT      "1": a black topmost window over the whole screen, which reads
//                         as a locked screen does
//   STANDIN_DIALOG        "1": a dialog-like window of DIALOG_SIZE centred on the screen, under
//                         the client's window, whose right part lies beyond the client's
//                         area, as a login or update dialog shows over the desktop
//   STANDIN_EVENTS        file that gets one line per event; "start" gives the priority
//                         class of the stand-in and of the Quorvane.exe that runs then
//                         (Windows passes a class below normal on to the processes a
//                         program starts; Wine does not, so the program's own shows it)
// Once clicked, the window shows the live room: its colour with a mark at ROOM_MARK.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include <tlhelp32.h>

static const COLORREF BACKGROUND = RGB(240, 240, 240);
static const COLORREF ROOM = RGB(20, 90, 200); // painted once the entry was clicked
static const COLORREF LIVE_BADGE = RGB(220, 50, 50);
static const COLORREF COVER = RGB(90, 90, 90);
static const COLORREF ROOM_MARK_COLOUR = RGB(250, 220, 40);
static const COLORREF DIALOG = RGB(30, 160, 90);
static const SIZE DIALOG_SIZE = {700, 400};
static const RECT ROOM_MARK = {600, 400, 700, 450}; // window coordinates
static const int MAX_POINTS = 64;

static int point_count;
static int point_x[MAX_POINTS], point_y[MAX_POINTS];
static COLORREF point_colour[MAX_POINTS];
static int square; // half the side of each painted point, 0 for a lone pixel
static bool points_shown;
static COLORREF hover_colour;
static int hover_delay = -1; // no hover effect
static int hovered = -1;     // the point painted in the hover colour
static POINT rest_at;        // where the cursor rests, since rest_since
static long long rest_since;
static bool room_entered;
static char events_path[MAX_PATH];

static long long now_ms()
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    return (long long)(t.QuadPart / 10000ULL) - 11644473600000LL; // Unix epoch
}

static void record(const char *what, HWND window)
{
    if (events_path[0] == '\0')
        return;
    RECT r = {0, 0, 0, 0};
    if (window != NULL)
        GetWindowRect(window, &r);
    FILE *f = fopen(events_path, "a");
    if (f == NULL)
        return;
    const bool iconic = window != NULL && IsIconic(window);
    const bool topmost =
        window != NULL && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    fprintf(f, "%s time=%lld rect=%ld,%ld,%ld,%ld iconic=%d topmost=%d\n", what, now_ms(),
            r.left, r.top, r.right - r.left, r.bottom - r.top, iconic, topmost);
    fclose(f);
}

// The priority class of the running program of that image name, 0 where none runs.
static DWORD program_priority(const char *image)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    DWORD priority = 0;
    for (BOOL more = Process32First(snapshot, &entry); more && priority == 0;
         more = Process32Next(snapshot, &entry)) {
        if (_stricmp(entry.szExeFile, image) != 0)
            continue;
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, entry.th32ProcessID);
        if (process != NULL) {
            priority = GetPriorityClass(process);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
    return priority;
}

static void read_points(const char *text)
{
    while (text != NULL && *text != '\0' && point_count < MAX_POINTS) {
        int x, y, r, g, b;
        if (sscanf(text, "%d,%d,%d,%d,%d", &x, &y, &r, &g, &b) != 5)
            break;
        point_x[point_count] = x;
        point_y[point_count] = y;
        point_colour[point_count] = RGB(r, g, b);
        ++point_count;
        text = strchr(text, ';');
        if (text != NULL)
            ++text;
    }
}

// event is "press" or "release"; a press enters the room.
static void button(HWND window, const char *event, const char *which, LPARAM lparam)
{
    POINT cursor;
    GetCursorPos(&cursor);
    char what[128];
    snprintf(what, sizeof what, "%s button=%s at=%d,%d cursor=%ld,%ld", event, which,
             (int)(short)LOWORD(lparam), (int)(short)HIWORD(lparam), cursor.x, cursor.y);
    record(what, window);
    if (strcmp(event, "press") == 0) {
        room_entered = true;
        InvalidateRect(window, NULL, FALSE);
    }
}

// The point whose square holds p (window coordinates), or -1.
static int point_at(POINT p)
{
    for (int i = 0; i < point_count; ++i) {
        if (p.x >= point_x[i] - square && p.x <= point_x[i] + square &&
            p.y >= point_y[i] - square && p.y <= point_y[i] + square)
            return i;
    }
    return -1;
}

// Looked at every 20 ms: the hover colour after the cursor rested long enough on a point.
static void follow_cursor(HWND window)
{
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    const long long now = now_ms();
    if (cursor.x != rest_at.x || cursor.y != rest_at.y) {
        rest_at = cursor;
        rest_since = now;
    }
    const int under = point_at(cursor);
    const int lit = under >= 0 && now - rest_since >= hover_delay ? under : -1;
    if (lit == hovered)
        return;
    hovered = lit;
    InvalidateRect(window, NULL, FALSE);
    UpdateWindow(window);
    record(lit >= 0 ? "hover-on" : "hover-off", window);
}

static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT all;
        GetClientRect(window, &all);
        HBRUSH brush = CreateSolidBrush(room_entered ? ROOM : BACKGROUND);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        if (room_entered) {
            HBRUSH mark = CreateSolidBrush(ROOM_MARK_COLOUR);
            FillRect(dc, &ROOM_MARK, mark);
            DeleteObject(mark);
        }
        // A "live" badge for the screenshots, well away from every probe point.
        // Under the points: a point painted where it lies must still show.
        if (points_shown && !room_entered) {
            RECT badge = {300, 180, 420, 220};
            HBRUSH live = CreateSolidBrush(LIVE_BADGE);
            FillRect(dc, &badge, live);
            DeleteObject(live);
            for (int i = 0; i < point_count; ++i) {
                RECT spot = {point_x[i] - square, point_y[i] - square, point_x[i] + square + 1,
                             point_y[i] + square + 1};
                HBRUSH paint = CreateSolidBrush(i == hovered ? hover_colour : point_colour[i]);
                FillRect(dc, &spot, paint);
                DeleteObject(paint);
            }
        }
        EndPaint(window, &ps);
        return 0;
    }
    case WM_TIMER:
        if (wparam == 2) {
            follow_cursor(window);
            return 0;
        }
        KillTimer(window, 1);
        points_shown = true;
        InvalidateRect(window, NULL, FALSE);
        UpdateWindow(window);
        record("points", window);
        return 0;
    case WM_LBUTTONDOWN:
        button(window, "press", "left", lparam);
        return 0;
    case WM_LBUTTONUP:
        button(window, "release", "left", lparam);
        return 0;
    case WM_RBUTTONDOWN:
        button(window, "press", "right", lparam);
        return 0;
    case WM_RBUTTONUP:
        button(window, "release", "right", lparam);
        return 0;
    case WM_WINDOWPOSCHANGED:
        record("moved", window);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

// Another program's window lying over the corner, or the dialog: one plain colour, never
// clicked.
static LRESULT CALLBACK cover_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        HBRUSH brush = CreateSolidBrush((COLORREF)GetWindowLongPtrA(window, GWLP_USERDATA));
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

static LRESULT CALLBACK blackout_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        FillRect(dc, &ps.rcPaint, (HBRUSH)GetStockObject(BLACK_BRUSH));
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

static void open_blackout(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = blackout_proc;
    wc.hInstance = instance;
    wc.lpszClassName = "StandInBlackout";
    RegisterClassA(&wc);
    HWND blackout = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "blackout",
                                    WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                    GetSystemMetrics(SM_CYSCREEN), NULL, NULL, instance, NULL);
    UpdateWindow(blackout);
    record("blackout", blackout);
}

static void open_plain(HINSTANCE instance, const char *name, COLORREF colour, int left, int top,
                       int width, int height)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = cover_proc;
    wc.hInstance = instance;
    wc.lpszClassName = "StandInPlain";
    RegisterClassA(&wc);
    HWND plain = CreateWindowExA(0, wc.lpszClassName, name, WS_POPUP | WS_VISIBLE, left, top,
                                 width, height, NULL, NULL, instance, NULL);
    // Its colour before its first paint, which comes through the queue.
    SetWindowLongPtrA(plain, GWLP_USERDATA, (LONG_PTR)colour);
    UpdateWindow(plain);
    record(name, plain);
}

static void open_cover(HINSTANCE instance, const char *text)
{
    int left = 0, top = 0, width = 0, height = 0;
    if (sscanf(text, "%d,%d,%d,%d", &left, &top, &width, &height) == 4)
        open_plain(instance, "cover", COVER, left, top, width, height);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    GetEnvironmentVariableA("STANDIN_EVENTS", events_path, sizeof events_path);
    char text[1024] = "";
    int left = 0, top = 0, width = 930, height = 640;
    if (GetEnvironmentVariableA("STANDIN_RECT", text, sizeof text) > 0)
        sscanf(text, "%d,%d,%d,%d", &left, &top, &width, &height);
    text[0] = '\0';
    GetEnvironmentVariableA("STANDIN_POINTS", text, sizeof text);
    read_points(text);
    text[0] = '\0';
    if (GetEnvironmentVariableA("STANDIN_SQUARE", text, sizeof text) > 0)
        square = atoi(text);
    int delay = 0;
    text[0] = '\0';
    if (GetEnvironmentVariableA("STANDIN_POINTS_DELAY", text, sizeof text) > 0)
        delay = atoi(text);
    text[0] = '\0';
    if (GetEnvironmentVariableA("STANDIN_HOVER", text, sizeof text) > 0) {
        int r, g, b, ms;
        if (sscanf(text, "%d,%d,%d,%d", &r, &g, &b, &ms) == 4) {
            hover_colour = RGB(r, g, b);
            hover_delay = ms;
        }
    }
    char start[96];
    snprintf(start, sizeof start, "start priority=%#lx quorvane_priority=%#lx",
             GetPriorityClass(GetCurrentProcess()), program_priority("Quorvane.exe"));
    record(start, NULL);
    text[0] = '\0';
    if (GetEnvironmentVariableA("STANDIN_WINDOW_DELAY", text, sizeof text) > 0)
        Sleep((DWORD)atoi(text));
    char cover[64] = "";
    GetEnvironmentVariableA("STANDIN_COVER", cover, sizeof cover);
    char blackout_text[8] = "";
    GetEnvironmentVariableA("STANDIN_BLACKOUT", blackout_text, sizeof blackout_text);
    const bool blackout = strcmp(blackout_text, "1") == 0;
    char minimized[8] = "";
    GetEnvironmentVariableA("STANDIN_MINIMIZED", minimized, sizeof minimized);

    char dialog[8] = "";
    GetEnvironmentVariableA("STANDIN_DIALOG", dialog, sizeof dialog);
    // Opened first, so that the client's window lies above it.
    if (strcmp(dialog, "1") == 0)
        open_plain(instance, "dialog", DIALOG,
                   (GetSystemMetrics(SM_CXSCREEN) - DIALOG_SIZE.cx) / 2,
                   (GetSystemMetrics(SM_CYSCREEN) - DIALOG_SIZE.cy) / 2, DIALOG_SIZE.cx,
                   DIALOG_SIZE.cy);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = "StandInClient";
    RegisterClassA(&wc);
    // A borderless window keeps window and screen coordinates the same at (0, 0).
    HWND window = CreateWindowExA(cover[0] != '\0' || blackout ? 0 : WS_EX_TOPMOST, wc.lpszClassName,
                                  "钉钉", WS_POPUP | WS_VISIBLE, left, top, width, height,
                                  NULL, NULL, instance, NULL);
    if (delay > 0)
        SetTimer(window, 1, (UINT)delay, NULL);
    else
        points_shown = true;
    if (hover_delay >= 0)
        SetTimer(window, 2, 20, NULL);
    UpdateWindow(window);
    if (strcmp(minimized, "1") == 0)
        ShowWindow(window, SW_MINIMIZE);
    record("shown", window);
    // Created later, so it lies above the client window.
    if (cover[0] != '\0')
        open_cover(instance, cover);
    if (blackout)
        open_blackout(instance);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
