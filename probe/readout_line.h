// The text of one refresh of the cursor colour readout.
#ifndef QUORVANE_PROBE_READOUT_LINE_H
#define QUORVANE_PROBE_READOUT_LINE_H

#include <stddef.h>

// The columns every reading fills, padded with spaces: the longest reading there can be
// (two positions of 11 characters, "255,255,255"). With the two spaces the next refresh
// writes before its return, a line never reaches the 80th column, where the console
// would wrap it and the next return would start another line.
enum { READOUT_COLUMNS = 62 };

// The line for the cursor at x, y over a screen colour value (red in bits 0-7, green
// 8-15, blue 16-23). It starts by returning to the start of the console line and ends
// without a newline, so each refresh writes over the last. A pixel that cannot be read
// says so instead of passing for white. False, with out empty, when out (size bytes) is
// too small or the reading would be wider than READOUT_COLUMNS.
bool format_readout_line(char *out, size_t size, long x, long y, unsigned long colour);

#endif
