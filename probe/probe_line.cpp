#include "probe/probe_line.h"

#include "support/text.h"

#include <string.h>

void strip_leading_newline(char *text)
{
    if (text[0] == '\n')
        memmove(text, text + 1, strlen(text));
}

bool make_colour_key(char *key, size_t n, int r, int g, int b)
{
    return format_text(key, n, "%d%d%d", r, g, b);
}

screen_rgb split_screen_colour(unsigned long colour)
{
    return {(int)(colour & 0xFF), (int)((colour >> 8) & 0xFF), (int)((colour >> 16) & 0xFF)};
}

bool screen_colour_key(char *key, size_t n, unsigned long colour)
{
    if (colour == UNREADABLE_COLOUR) {
        memset(key, 0, n);
        return false;
    }
    const screen_rgb rgb = split_screen_colour(colour);
    return make_colour_key(key, n, rgb.r, rgb.g, rgb.b);
}

// What a "%d" conversion gives: leading white space skipped, an optional sign, the
// digits up to the first other character; 0 when no number starts the token. Tokens
// have at most 9 characters, so the value cannot overflow.
static int token_value(const char *token)
{
    while (*token == ' ' || (*token >= '\t' && *token <= '\r'))
        ++token;
    bool negative = *token == '-';
    if (*token == '-' || *token == '+')
        ++token;
    int value = 0;
    for (; *token >= '0' && *token <= '9'; ++token)
        value = value * 10 + (*token - '0');
    return negative ? -value : value;
}

bool read_probe_fields(const char *line, int *x, int *y, char *key, size_t n)
{
    memset(key, 0, n);
    if (line[0] == '\0')
        return false;

    int values[5] = {0, 0, 0, 0, 0};
    int field = 0;
    char token[TOKEN_SIZE] = {0};
    size_t token_length = 0;
    size_t i = 0;
    for (;;) {
        // Byte by byte: no second byte of a GBK character is a separator.
        const char c = line[i];
        const bool separator = c == ',' || c == ' ' || c == '\t' || c == '\n' || c == '\0';
        if (separator) {
            if (token_length > 0) {
                if (field < 5)
                    values[field] = token_value(token);
                ++field;
                memset(token, 0, sizeof token);
                token_length = 0;
            }
        } else {
            if (token_length + 1 >= sizeof token)
                return false;
            token[token_length++] = c;
        }
        if (c == '\0')
            break;
        ++i;
    }

    if (!make_colour_key(key, n, values[2], values[3], values[4]))
        return false;
    *x = values[0];
    *y = values[1];
    return true;
}

line_status check_probe_line(const char *line, size_t length, int *x, int *y, char *key)
{
    if (length == 0)
        return LINE_EMPTY;
    if (length > MAX_LINE_CHARS)
        return LINE_TOO_LONG;
    return read_probe_fields(line, x, y, key, KEY_SIZE) ? LINE_PROBE : LINE_BAD_VALUE;
}
