// The scan that ends in the click into the live room.
#ifndef QUORVANE_PROBE_SCAN_H
#define QUORVANE_PROBE_SCAN_H

#include "probe/probe_line.h"

// The probe line that matched, as the scan read it, and its number in the text.
struct probe_match {
    char line[LINE_BUFFER_SIZE];
    int line_number;
};

// Probes the lines of text in turn, 3 s after each miss and over and over, until the
// colour at a point is the one its line expects; then clicks there. text must hold a
// probe line. between runs after each miss, within its 3 s.
void scan_and_click(const char *text, void (*between)(), probe_match *match);

#endif
