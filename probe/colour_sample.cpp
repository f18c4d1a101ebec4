// The program declares no DPI awareness, so on a scaled display (125 %, 150 %) Windows
// gives it the cursor in scaled coordinates, while GetPixel on the screen reads physical
// pixels: the colour would come from another point than the one under the cursor. The
// read asks for the cursor in physical pixels instead. Everything else (the window's
// placement, the cursor moves, the click, the positions shown) stays scaled.
#include "probe/colour_sample.h"

#include "probe/probe_line.h"

#include <windows.h>

// Looked up at run time, so that the exe still starts on Windows that lack them.
typedef HANDLE(WINAPI *set_dpi_context_fn)(HANDLE context); // SetThreadDpiAwarenessContext
typedef BOOL(WINAPI *physical_cursor_fn)(LPPOINT point);    // GetPhysicalCursorPos
// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE, from Windows 10 1607 on.
static const HANDLE PER_MONITOR_AWARE = (HANDLE)(LONG_PTR)-3;

static FARPROC user32_function(const char *name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 == NULL ? NULL : GetProcAddress(user32, name);
}

void *enter_physical_pixels()
{
    // The casts go through a function type that fits all, as GetProcAddress's answer must.
    const set_dpi_context_fn set_dpi_context =
        (set_dpi_context_fn)(void (*)())user32_function("SetThreadDpiAwarenessContext");
    return set_dpi_context != NULL ? set_dpi_context(PER_MONITOR_AWARE) : NULL;
}

void leave_physical_pixels(void *previous)
{
    const set_dpi_context_fn set_dpi_context =
        (set_dpi_context_fn)(void (*)())user32_function("SetThreadDpiAwarenessContext");
    if (previous != NULL && set_dpi_context != NULL)
        set_dpi_context(previous);
}

unsigned long colour_under_cursor()
{
    void *const previous = enter_physical_pixels();
    POINT cursor = {0, 0};
    if (previous != NULL) {
        // For this thread alone, and only for this read: the cursor in physical pixels.
        GetCursorPos(&cursor);
    } else {
        const physical_cursor_fn physical_cursor =
            (physical_cursor_fn)(void (*)())user32_function("GetPhysicalCursorPos");
        if (physical_cursor == NULL || !physical_cursor(&cursor))
            GetCursorPos(&cursor);
    }
    HDC screen = GetDC(NULL);
    const COLORREF colour = GetPixel(screen, cursor.x, cursor.y);
    ReleaseDC(NULL, screen);
    leave_physical_pixels(previous);
    return colour;
}

bool sample_colour_key(char *key, size_t n)
{
    return screen_colour_key(key, n, colour_under_cursor());
}
