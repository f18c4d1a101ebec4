#include "probe/scan.h"

#include "probe/colour_sample.h"
#include "probe/probe_line.h"
#include "probe/probe_walk.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

static const DWORD PROBE_PAUSE_MS = 3000;

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

// The line that ends at end, for the journal.
static void take_match(const char *text, size_t end, probe_match *match)
{
    size_t start = 0;
    match->line_number = line_ending_at(text, end, &start);
    size_t length = end - start;
    if (length > 0 && text[start + length - 1] == '\n')
        --length;
    // A probed line has at most MAX_LINE_CHARS characters.
    if (length >= sizeof match->line)
        length = sizeof match->line - 1;
    memcpy(match->line, text + start, length);
    match->line[length] = '\0';
}

bool probe_and_click(const char *text, size_t *pos, probe_match *match)
{
    int x = 0;
    int y = 0;
    char expected[KEY_SIZE] = {0};
    char sampled[KEY_SIZE] = {0};
    if (!next_probe(text, pos, &x, &y, expected))
        return false;
    SetCursorPos(x, y);
    const bool readable = sample_colour_key(sampled, sizeof sampled);
    if (readable)
        printf("当前位置：%d,%d RGB：%s\n", x, y, sampled);
    else
        printf("当前位置：%d,%d 无法读取该点颜色\n", x, y);
    if (!readable || strcmp(sampled, expected) != 0)
        return false;
    click_primary_button();
    take_match(text, *pos, match);
    return true;
}

void pause_after_miss(unsigned long missed_at)
{
    const DWORD spent = GetTickCount() - missed_at;
    Sleep(spent < PROBE_PAUSE_MS ? PROBE_PAUSE_MS - spent : 0);
}
