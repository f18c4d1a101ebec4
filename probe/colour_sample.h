// The colour under the mouse cursor, for the scan and the readout alike.
#ifndef QUORVANE_PROBE_COLOUR_SAMPLE_H
#define QUORVANE_PROBE_COLOUR_SAMPLE_H

#include <stddef.h>

// The screen colour value (red in bits 0-7, green 8-15, blue 16-23) of the pixel under
// the cursor, read in physical pixels whatever the display scaling; UNREADABLE_COLOUR
// when it cannot be read.
unsigned long colour_under_cursor();

// Writes the colour key of the screen pixel under the cursor into key (n bytes).
// Returns false, with key empty, when the pixel cannot be read.
bool sample_colour_key(char *key, size_t n);

#endif
