// On a scaled display GetPixel on the screen reads physical pixels, while the cursor is
// given in scaled coordinates: the colour would come from another point than the one
// under the cursor. The read asks for the cursor in physical pixels instead. Everything
// else (the window's placement, the cursor moves, the click, the positions shown) stays
// scaled.
#include "probe/colour_sample.h"

#include "probe/probe_line.h"
#include "support/physical_pixels.h"

#include <windows.h>

typedef BOOL(WINAPI *physical_cursor_fn)(LPPOINT point); // GetPhysicalCursorPos

unsigned long colour_under_cursor()
{
    void *const previous = enter_physical_pixels();
    POINT cursor = {0, 0};
    if (previous != NULL) {
        // For this thread alone, and only for this read: the cursor in physical pixels.
        GetCursorPos(&cursor);
    } else {
        const physical_cursor_fn physical_cursor =
            (physical_cursor_fn)user32_function("GetPhysicalCursorPos");
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
