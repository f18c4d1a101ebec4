// The scan that ends in the click into the live room.
#ifndef QUORVANE_PROBE_SCAN_H
#define QUORVANE_PROBE_SCAN_H

#include "probe/probe_line.h"

#include <stddef.h>

// The probe line that matched, as the scan read it, and its number in the text.
struct probe_match {
    char line[LINE_BUFFER_SIZE];
    int line_number;
};

// Probes the next probe line of text from *pos on, starting over after the last line,
// and leaves *pos past it. When the colour at its point is the one the line expects,
// clicks there and returns true with match. text must hold a probe line.
bool probe_and_click(const char *text, size_t *pos, probe_match *match);

// Sleeps what is left of the 3 s after a miss at missed_at (GetTickCount).
void pause_after_miss(unsigned long missed_at);

#endif
