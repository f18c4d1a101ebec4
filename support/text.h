// Bounded text writes. A text that does not fit is an error, never cut short.
#ifndef QUORVANE_SUPPORT_TEXT_H
#define QUORVANE_SUPPORT_TEXT_H

#include <stddef.h>

// The size of every shared text buffer: paths, the probe text, the launch command.
enum { TEXT_SIZE = 260 };

// Formats into dst (size bytes with the terminator). Returns false, and leaves dst
// empty, when the result does not fit.
bool format_text(char *dst, size_t size, const char *format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// Appends tail to the text in dst. Returns false, and leaves dst unchanged, when the
// result does not fit.
bool append_text(char *dst, size_t size, const char *tail);

#endif
