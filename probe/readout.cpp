#include "probe/readout.h"

#include "client/client.h"
#include "probe/colour_sample.h"
#include "probe/readout_line.h"
#include "probe/record_key.h"

#include <stdio.h>
#include <windows.h>

void show_cursor_colour()
{
    prepare_client(false);
    register_record_key();
    for (;;) {
        // The position as the program's own coordinates, which the probe file takes.
        POINT cursor = {0, 0};
        GetCursorPos(&cursor);
        const unsigned long colour = colour_under_cursor();
        // Two numbers of at most 11 characters each: the line always fits.
        char line[96];
        if (format_readout_line(line, sizeof line, cursor.x, cursor.y, colour))
            fputs(line, stdout);
        // No newline ends the line, so it would otherwise wait in the buffer.
        fflush(stdout);
        wait_recording(300);
    }
}
