// Turning the characters of a probe file into the probe text the scan walks.
#ifndef QUORVANE_PROBE_PROBE_TEXT_H
#define QUORVANE_PROBE_PROBE_TEXT_H

#include <stddef.h>

enum load_notice {
    NOTICE_LINE_TOO_LONG,  // the line is left out
    NOTICE_VALUE_TOO_LONG, // the line is left out
    NOTICE_TEXT_FULL,      // this line and all after it are left out
    NOTICE_FILE_CUT        // the file goes on past what is read: from this line on
};

// Told once per line left out, with its line number (the first line is 1).
typedef void (*notice_fn)(load_notice what, int line_number);

// Keeps the whole lines of the decoded characters (length bytes, up to a NUL) that fit
// in text (size bytes): each ended by '\n', one leading empty line dropped. Lines that
// could never be probed are left out and reported; nothing is ever cut. cut: the
// characters stop inside the file, so their last line may be part of one and is left
// out. True when no usable line was left out for want of room.
bool build_probe_text(const char *chars, size_t length, bool cut, char *text, size_t size,
                      notice_fn notice);

#endif
