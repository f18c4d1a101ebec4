// Turning the characters of a probe file into the probe text the scan walks.
#ifndef QUORVANE_PROBE_PROBE_TEXT_H
#define QUORVANE_PROBE_PROBE_TEXT_H

#include <stddef.h>

enum load_notice {
    NOTICE_LINE_TOO_LONG,  // the line is left out
    NOTICE_VALUE_TOO_LONG, // the line is left out
    NOTICE_TEXT_FULL       // this line and all after it are left out
};

// Gives the next character of the file, or a negative value at its end.
typedef int (*read_char_fn)(void *source);
// Told once per line left out, with its line number (the first line is 1).
typedef void (*notice_fn)(load_notice what, int line_number);

// Reads characters until the end or a NUL byte and keeps the whole lines that fit in
// text (size bytes): each ended by '\n', one leading empty line dropped. Lines that
// could never be probed are left out and reported; nothing is ever cut.
void build_probe_text(read_char_fn next, void *source, char *text, size_t size,
                      notice_fn notice);

#endif
