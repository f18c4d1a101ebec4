// The walk over the lines of a probe text, without touching the screen.
#ifndef QUORVANE_PROBE_PROBE_WALK_H
#define QUORVANE_PROBE_PROBE_WALK_H

#include <stddef.h>

// True when some line of text is a probe the scan can use.
bool has_probe_line(const char *text);

// From *pos on, finds the next probe line in text order, starting over after the last
// line, and leaves *pos just past it. Empty and unusable lines are passed over. Returns
// false when a whole round finds no probe line.
bool next_probe(const char *text, size_t *pos, int *x, int *y, char *key);

// For the line that ends just before end (past its '\n', or at the end of text): its
// number, the first line being 1, and in *start where it begins.
int line_ending_at(const char *text, size_t end, size_t *start);

#endif
