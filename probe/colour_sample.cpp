#include "probe/colour_sample.h"

#include "probe/probe_line.h"

#include <windows.h>

bool sample_colour_key(char *key, size_t n)
{
    HDC screen = GetDC(NULL);
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    const COLORREF colour = GetPixel(screen, cursor.x, cursor.y);
    ReleaseDC(NULL, screen);
    return screen_colour_key(key, n, colour);
}
