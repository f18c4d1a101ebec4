#include "probe/probe_line.h"

#include "app/text.h"

#include <string.h>

// GBK bytes of the full-width comma, which users type on Chinese keyboards.
static const unsigned char FULL_WIDTH_COMMA[2] = {0xA3, 0xAC};

void strip_leading_newline(char *text)
{
    if (text[0] == '\n')
        memmove(text, text + 1, strlen(text));
}

bool make_colour_key(char *key, size_t n, int r, int g, int b)
{
    return format_text(key, n, "%d%d%d", r, g, b);
}

bool screen_colour_key(char *key, size_t n, unsigned long colour)
{
    if (colour == UNREADABLE_COLOUR) {
        memset(key, 0, n);
        return false;
    }
    return make_colour_key(key, n, (int)(colour & 0xFF), (int)((colour >> 8) & 0xFF),
                           (int)((colour >> 16) & 0xFF));
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

static bool is_lead_byte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
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
        const unsigned char c = (unsigned char)line[i];
        size_t width = 1;
        bool separator = c == ',' || c == ' ' || c == '\n' || c == '\0';
        // Walk GBK characters whole, so that a trail byte is never read as a separator.
        if (is_lead_byte(c) && line[i + 1] != '\0') {
            width = 2;
            separator = c == FULL_WIDTH_COMMA[0] && (unsigned char)line[i + 1] == FULL_WIDTH_COMMA[1];
        }
        if (separator) {
            if (token_length > 0) {
                if (field < 5)
                    values[field] = token_value(token);
                ++field;
                memset(token, 0, sizeof token);
                token_length = 0;
            }
        } else {
            if (token_length + width >= sizeof token)
                return false;
            memcpy(token + token_length, line + i, width);
            token_length += width;
        }
        if (c == '\0')
            break;
        i += width;
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
