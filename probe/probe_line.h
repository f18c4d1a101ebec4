// One probe line, "x,y r,g,b": reading its fields and the colour key it expects.
#ifndef QUORVANE_PROBE_PROBE_LINE_H
#define QUORVANE_PROBE_PROBE_LINE_H

#include <stddef.h>

enum {
    KEY_SIZE = 20,         // colour key buffer: at most 19 characters
    TOKEN_SIZE = 10,       // one value while a line is read: at most 9 characters
    LINE_BUFFER_SIZE = 25, // one collected line with its terminator
    MAX_LINE_CHARS = 23    // longest line that is probed, in bytes; longer ones are skipped
};

enum line_status {
    LINE_PROBE,     // a probe: x, y and the expected key were read
    LINE_EMPTY,     // nothing to probe, costs no pause
    LINE_TOO_LONG,  // more than MAX_LINE_CHARS characters
    LINE_BAD_VALUE  // a value of more than 9 characters, or a key that does not fit
};

// Removes one leading '\n' in place.
void strip_leading_newline(char *text);

// Writes the colour key "%d%d%d" of r, g and b into key (n bytes).
bool make_colour_key(char *key, size_t n, int r, int g, int b);

// What GetPixel answers for a pixel it cannot read (CLR_INVALID): a locked screen, a
// screen saver on the secure desktop. All bits set, so it would pass for white.
static const unsigned long UNREADABLE_COLOUR = 0xFFFFFFFFUL;

// Red, green and blue of a screen colour value (red in bits 0-7, green 8-15, blue 16-23).
struct screen_rgb {
    int r, g, b;
};
screen_rgb split_screen_colour(unsigned long colour);

// The colour key of a screen colour value.
// Returns false, with key empty, for an unreadable pixel, which must never match.
bool screen_colour_key(char *key, size_t n, unsigned long colour);

// Reads x, y and the expected colour key (n bytes) from a NUL-terminated line of decoded
// text (GBK, full-width forms already ASCII). Every character of the line is examined. Returns false, with key cleared, for an empty
// line (x and y untouched) or when a value or the key does not fit its buffer.
bool read_probe_fields(const char *line, int *x, int *y, char *key, size_t n);

// Classifies a line of `length` characters; for LINE_PROBE, x, y and key (KEY_SIZE)
// hold the probe. `line` holds the first min(length, MAX_LINE_CHARS) characters.
line_status check_probe_line(const char *line, size_t length, int *x, int *y, char *key);

#endif
