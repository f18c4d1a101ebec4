// The colour under the mouse cursor.
#ifndef QUORVANE_PROBE_COLOUR_SAMPLE_H
#define QUORVANE_PROBE_COLOUR_SAMPLE_H

#include <stddef.h>

// Writes the colour key of the screen pixel under the cursor into key (n bytes).
// Returns false, with key empty, when the pixel cannot be read.
bool sample_colour_key(char *key, size_t n);

#endif
