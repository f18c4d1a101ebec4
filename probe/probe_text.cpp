#include "probe/probe_text.h"

#include "probe/probe_line.h"

#include <string.h>

// Notepad may start a UTF-8 file with this mark.
static const char UTF8_BOM[] = "\xEF\xBB\xBF";

enum {
    // What a line may hold as read before its full-width commas become ',': the mark
    // and MAX_LINE_CHARS UTF-8 commas. A longer line is too long whatever it holds.
    RAW_LINE_SIZE = 3 * (MAX_LINE_CHARS + 1)
};

// The line as the scan will see it: the mark dropped from the first line, full-width
// commas as ','. Returns its length in bytes; line keeps its first bytes up to the limit.
static size_t settle_line(char *line, size_t read, int line_number)
{
    size_t kept = read < (size_t)RAW_LINE_SIZE ? read : (size_t)RAW_LINE_SIZE;
    if (line_number == 1 && strncmp(line, UTF8_BOM, 3) == 0) {
        memmove(line, line + 3, kept - 3);
        memset(line + kept - 3, 0, 3);
        kept -= 3;
        read -= 3;
    }
    return normalize_commas(line, kept) + (read - kept);
}

void build_probe_text(read_char_fn next, void *source, char *text, size_t size,
                      notice_fn notice)
{
    size_t used = 0;
    text[0] = '\0';
    char line[RAW_LINE_SIZE + 1] = {0}; // a NUL after the last byte kept
    size_t length = 0;
    int line_number = 1;
    bool more = true;
    while (more) {
        const int c = next(source);
        more = c > 0;
        if (more && c != '\n') {
            if (length < RAW_LINE_SIZE)
                line[length] = (char)c;
            ++length;
            continue;
        }
        // A line has ended; at the end of the file only if it holds something.
        if (more || length > 0) {
            int x = 0;
            int y = 0;
            char key[KEY_SIZE];
            length = settle_line(line, length, line_number);
            const line_status status = check_probe_line(line, length, &x, &y, key);
            if (status == LINE_TOO_LONG) {
                notice(NOTICE_LINE_TOO_LONG, line_number);
            } else if (status == LINE_BAD_VALUE) {
                notice(NOTICE_VALUE_TOO_LONG, line_number);
            } else if (used + length + 1 >= size) {
                notice(NOTICE_TEXT_FULL, line_number);
                break;
            } else {
                memcpy(text + used, line, length);
                used += length;
                text[used++] = '\n';
                text[used] = '\0';
            }
        }
        memset(line, 0, sizeof line);
        length = 0;
        ++line_number;
    }
    strip_leading_newline(text);
}
