#include "probe/readout.h"

#include "client/client.h"
#include "probe/readout_line.h"

#include <stdio.h>
#include <windows.h>

void show_cursor_colour()
{
    HDC screen = GetDC(NULL);
    prepare_client(false);
    for (;;) {
        POINT cursor = {0, 0};
        GetCursorPos(&cursor);
        const COLORREF colour = GetPixel(screen, cursor.x, cursor.y);
        // Two numbers of at most 11 characters each: the line always fits.
        char line[96];
        if (format_readout_line(line, sizeof line, cursor.x, cursor.y, colour))
            fputs(line, stdout);
        // No newline ends the line, so it would otherwise wait in the buffer.
        fflush(stdout);
        Sleep(300);
    }
}
