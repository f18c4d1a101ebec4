#include "probe/scan.h"

#include "probe/colour_sample.h"
#include "probe/probe_line.h"
#include "probe/probe_walk.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

// One press and release where the cursor is. With the buttons swapped for a left hand,
// Windows turns a synthesized left press into the secondary button, which would open a
// context menu instead of the live room.
static void click_primary_button()
{
    const DWORD flags = GetSystemMetrics(SM_SWAPBUTTON) != 0
                            ? MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP
                            : MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP;
    mouse_event(flags, 0, 0, 0, 0);
}

void scan_and_click(const char *text)
{
    size_t pos = 0;
    int x = 0;
    int y = 0;
    char expected[KEY_SIZE] = {0};
    char sampled[KEY_SIZE] = {0};
    while (next_probe(text, &pos, &x, &y, expected)) {
        SetCursorPos(x, y);
        const bool readable = sample_colour_key(sampled, sizeof sampled);
        if (readable)
            printf("当前位置：%d,%d RGB：%s\n", x, y, sampled);
        else
            printf("当前位置：%d,%d 无法读取该点颜色\n", x, y);
        if (readable && strcmp(sampled, expected) == 0) {
            click_primary_button();
            return;
        }
        Sleep(3000);
    }
}
