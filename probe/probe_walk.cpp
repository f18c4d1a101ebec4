#include "probe/probe_walk.h"

#include "probe/probe_line.h"

#include <string.h>

// Collects the line that starts at *pos into line (LINE_BUFFER_SIZE bytes, only its
// first MAX_LINE_CHARS characters kept), moves *pos past its '\n' and classifies it.
static line_status take_line(const char *text, size_t *pos, int *x, int *y, char *key)
{
    char line[LINE_BUFFER_SIZE] = {0};
    size_t length = 0;
    size_t j = *pos;
    for (; text[j] != '\0' && text[j] != '\n'; ++j, ++length) {
        if (length < MAX_LINE_CHARS)
            line[length] = text[j];
    }
    if (text[j] == '\n')
        ++j;
    *pos = j;
    return check_probe_line(line, length, x, y, key);
}

bool has_probe_line(const char *text)
{
    size_t pos = 0;
    int x = 0;
    int y = 0;
    char key[KEY_SIZE];
    return next_probe(text, &pos, &x, &y, key);
}

bool next_probe(const char *text, size_t *pos, int *x, int *y, char *key)
{
    const size_t length = strlen(text);
    if (*pos >= length)
        *pos = 0;
    // Every line moves at least one byte on, so one round is at most length + 1 lines.
    for (size_t lines = 0; lines <= length; ++lines) {
        if (take_line(text, pos, x, y, key) == LINE_PROBE)
            return true;
        if (*pos >= length)
            *pos = 0;
    }
    return false;
}

int line_ending_at(const char *text, size_t end, size_t *start)
{
    size_t begin = end > 0 && text[end - 1] == '\n' ? end - 1 : end;
    while (begin > 0 && text[begin - 1] != '\n')
        --begin;
    *start = begin;
    int number = 1;
    for (size_t i = 0; i < begin; ++i)
        number += text[i] == '\n';
    return number;
}
