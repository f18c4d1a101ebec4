// The scan that ends in the click into the live room.
#ifndef QUORVANE_PROBE_SCAN_H
#define QUORVANE_PROBE_SCAN_H

// Probes the lines of text in turn, 3 s after each miss and over and over, until the
// colour at a point is the one its line expects; then clicks there. text must hold a
// probe line.
void scan_and_click(const char *text);

#endif
