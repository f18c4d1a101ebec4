#include "probe/scan.h"

#include "probe/colour_sample.h"
#include "probe/probe_line.h"
#include "probe/probe_walk.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

void scan_and_click(const char *text)
{
    size_t pos = 0;
    int x = 0;
    int y = 0;
    char expected[KEY_SIZE] = {0};
    char sampled[KEY_SIZE] = {0};
    while (next_probe(text, &pos, &x, &y, expected)) {
        SetCursorPos(x, y);
        sample_colour_key(sampled, sizeof sampled);
        printf("当前位置：%d,%d RGB：%s\n", x, y, sampled);
        if (strcmp(sampled, expected) == 0) {
            mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
            return;
        }
        Sleep(3000);
    }
}
