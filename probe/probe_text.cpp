#include "probe/probe_text.h"

#include "probe/probe_line.h"

#include <string.h>

bool build_probe_text(const char *chars, size_t length, bool cut, char *text, size_t size,
                      notice_fn notice)
{
    size_t used = 0;
    text[0] = '\0';
    char line[MAX_LINE_CHARS + 1] = {0}; // a NUL after the last byte kept
    size_t line_length = 0;
    int line_number = 1;
    bool whole = true;
    for (size_t i = 0;; ++i) {
        const bool more = i < length && chars[i] != '\0';
        if (more && chars[i] != '\n') {
            if (line_length < MAX_LINE_CHARS)
                line[line_length] = chars[i];
            ++line_length;
            continue;
        }
        if (!more && cut) {
            // The file was not read to its end: this line may be only the start of one.
            notice(NOTICE_FILE_CUT, line_number);
            whole = false;
            break;
        }
        // A line has ended; at the end of the file only if it holds something.
        if (more || line_length > 0) {
            int x = 0;
            int y = 0;
            char key[KEY_SIZE];
            const line_status status = check_probe_line(line, line_length, &x, &y, key);
            if (status == LINE_TOO_LONG) {
                notice(NOTICE_LINE_TOO_LONG, line_number);
            } else if (status == LINE_BAD_VALUE) {
                notice(NOTICE_VALUE_TOO_LONG, line_number);
            } else if (used + line_length + 1 >= size) {
                notice(NOTICE_TEXT_FULL, line_number);
                whole = false;
                break;
            } else {
                memcpy(text + used, line, line_length);
                used += line_length;
                text[used++] = '\n';
                text[used] = '\0';
            }
        }
        if (!more)
            break;
        memset(line, 0, sizeof line);
        line_length = 0;
        ++line_number;
    }
    strip_leading_newline(text);
    return whole;
}
