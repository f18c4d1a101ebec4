#include "probe/readout.h"

#include "client/client.h"
#include "probe/probe_line.h"

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
        if (colour == UNREADABLE_COLOUR) {
            // Padded to cover a longer line left from the refresh before.
            printf("  \r当前鼠标位置：X:%ld Y:%ld， 无法读取该点颜色    ", cursor.x, cursor.y);
        } else {
            printf("  \r当前鼠标位置：X:%ld Y:%ld， RGB值：%d,%d,%d", cursor.x, cursor.y,
                   GetRValue(colour), GetGValue(colour), GetBValue(colour));
        }
        // No newline ends the line, so it would otherwise wait in the buffer.
        fflush(stdout);
        Sleep(300);
    }
}
