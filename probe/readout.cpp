#include "probe/readout.h"

#include "client/client.h"
#include "probe/colour_sample.h"
#include "probe/readout_line.h"
#include "probe/record_key.h"
#include "support/run_claim.h"

#include <stdio.h>
#include <windows.h>

void show_cursor_colour()
{
    prepare_client(false);
    register_record_key();
    bool scanning_told = false;
    bool shown = false;
    for (;;) {
        // A normal run that scans moves the cursor every 3 s, and the point shown would
        // be its probe point: said at the start, and whenever such a run appears.
        const bool scanning = run_claimed();
        if (scanning && !scanning_told)
            printf("%s%s：请先关掉它的窗口（或在任务计划程序中结束它），再记录坐标点\n",
                   shown ? "\n" : "", RUN_SCANNING);
        scanning_told = scanning;
        // The position as the program's own coordinates, which the probe file takes.
        POINT cursor = {0, 0};
        GetCursorPos(&cursor);
        const unsigned long colour = colour_under_cursor();
        // Two numbers of at most 11 characters each: the line always fits.
        char line[96];
        if (format_readout_line(line, sizeof line, cursor.x, cursor.y, colour)) {
            printf("%s", line);
            shown = true;
        }
        // No newline ends the line, so it would otherwise wait in the buffer.
        fflush(NULL);
        wait_recording(300);
    }
}
