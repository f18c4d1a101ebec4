#include "probe/probe_text.h"

#include "probe/probe_line.h"

#include <string.h>

void build_probe_text(read_char_fn next, void *source, char *text, size_t size,
                      notice_fn notice)
{
    size_t used = 0;
    text[0] = '\0';
    char line[MAX_LINE_CHARS + 1] = {0}; // a NUL after the last byte kept
    size_t length = 0;
    int line_number = 1;
    bool more = true;
    while (more) {
        const int c = next(source);
        more = c > 0;
        if (more && c != '\n') {
            if (length < MAX_LINE_CHARS)
                line[length] = (char)c;
            ++length;
            continue;
        }
        // A line has ended; at the end of the file only if it holds something.
        if (more || length > 0) {
            int x = 0;
            int y = 0;
            char key[KEY_SIZE];
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
