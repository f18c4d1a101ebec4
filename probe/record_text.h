// A recorded probe point as the probe file holds it: its lines, written first in the
// file, in the file's own encoding, with the rest of the file after them unchanged.
#ifndef QUORVANE_PROBE_RECORD_TEXT_H
#define QUORVANE_PROBE_RECORD_TEXT_H

#include "probe/probe_encoding.h"

#include <stddef.h>

enum record_outcome {
    RECORD_MADE,           // the new file is built
    RECORD_ALREADY_THERE,  // every line is in the file already: nothing to write
    RECORD_NO_ROOM,        // a line the scan reads now would be pushed past what it reads
    RECORD_FILE_FULL,      // the file would be larger than what is read of it
    RECORD_FILE_TOO_LARGE, // the file is larger than what is read of it already
    RECORD_NOT_PROBED      // a line is one the scan would skip (longer than a probed one)
};

// The lines of a record at x, y ("x,y r,g,b\n" each): the colour the scan reads there,
// then the colour at rest where it differs (a button lit by the cursor resting on it).
// Colours are screen colour values (red in bits 0-7). False when they do not fit.
bool format_recorded_lines(char *lines, size_t size, long x, long y,
                           unsigned long scan_colour, unsigned long rest_colour);

struct recorded_file {
    unsigned char bytes[PROBE_FILE_BOUND];
    size_t size;
    // For RECORD_NO_ROOM, bytes of the probe text the scan reads: what the old file left
    // free, and what the lines add (a line end more where the old file began with an empty
    // line, which the scan skips only at the start). For RECORD_FILE_FULL, bytes of the
    // file: what the read bound leaves, and what the lines take in its encoding.
    int room;
    int need;
    bool first_probes; // no file, or none with a probe line: the built-in list was in use
};

// The probe file with lines first: after the old file's mark, in its encoding, with CR
// LF; then the old bytes after the mark, unchanged. old holds old_size bytes of the
// file (none for a missing one); old_whole: the file ends there.
record_outcome build_recorded_file(const unsigned char *old, size_t old_size, bool old_whole,
                                   const char *lines, recorded_file *out);

// Where a record moves the cursor while the client repaints a lit button: on the screen
// (width x height pixels), off the client's window where the screen leaves room for it,
// and at least RECORD_AWAY pixels from x, y across or down; else the screen's corner
// farthest from x, y.
enum { RECORD_AWAY = 48 };
void record_away_point(long x, long y, long width, long height, long *away_x, long *away_y);

#endif
