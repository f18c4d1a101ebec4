#include "probe/record_text.h"

#include "client/client_ids.h"
#include "probe/probe_line.h"
#include "probe/probe_walk.h"
#include "support/text.h"

#include <string.h>

// Appends the probe line "x,y r,g,b\n" of a screen colour value.
static bool append_probe_line(char *lines, size_t size, long x, long y, unsigned long colour)
{
    char line[48]; // two positions of 11 characters, three values of 3
    const screen_rgb rgb = split_screen_colour(colour);
    return format_text(line, sizeof line, "%ld,%ld %d,%d,%d\n", x, y, rgb.r, rgb.g, rgb.b) &&
           append_text(lines, size, line);
}

bool format_recorded_lines(char *lines, size_t size, long x, long y,
                           unsigned long scan_colour, unsigned long rest_colour)
{
    lines[0] = '\0';
    if (append_probe_line(lines, size, x, y, scan_colour) &&
        (rest_colour == scan_colour || append_probe_line(lines, size, x, y, rest_colour)))
        return true;
    lines[0] = '\0';
    return false;
}

static void ignore_notice(load_notice, int) {}

// True when text holds the line that starts at line (up to its '\n') as a line of its own.
static bool has_line(const char *text, const char *line)
{
    const size_t length = strcspn(line, "\n");
    for (const char *at = text; *at != '\0';) {
        const size_t here = strcspn(at, "\n");
        if (here == length && memcmp(at, line, length) == 0)
            return true;
        at += here;
        if (*at == '\n')
            ++at;
    }
    return false;
}

static bool has_every_line(const char *text, const char *lines)
{
    for (const char *line = lines; *line != '\0'; line = strchr(line, '\n') + 1) {
        if (!has_line(text, line))
            return false;
    }
    return true;
}

// Appends the ASCII lines in the file's encoding, '\n' as CR LF.
static bool put_lines(const char *lines, file_encoding encoding, recorded_file *out)
{
    const size_t unit = encoding == ENCODING_UTF16LE || encoding == ENCODING_UTF16BE ? 2 : 1;
    for (const char *c = lines; *c != '\0'; ++c) {
        const char pair[2] = {'\r', '\n'};
        const char *bytes = *c == '\n' ? pair : c;
        const size_t count = *c == '\n' ? 2 : 1;
        for (size_t i = 0; i < count; ++i) {
            if (out->size + unit > sizeof out->bytes)
                return false;
            if (encoding == ENCODING_UTF16BE)
                out->bytes[out->size++] = 0;
            out->bytes[out->size++] = (unsigned char)bytes[i];
            if (encoding == ENCODING_UTF16LE)
                out->bytes[out->size++] = 0;
        }
    }
    return true;
}

// True when every line is one the scan probes, not one it skips for its length.
static bool every_line_probed(const char *lines)
{
    for (const char *line = lines; *line != '\0'; line = strchr(line, '\n') + 1) {
        const size_t length = strcspn(line, "\n");
        char first[LINE_BUFFER_SIZE] = {0};
        memcpy(first, line, length < (size_t)MAX_LINE_CHARS ? length : (size_t)MAX_LINE_CHARS);
        int x = 0;
        int y = 0;
        char key[KEY_SIZE];
        if (check_probe_line(first, length, &x, &y, key) != LINE_PROBE)
            return false;
    }
    return true;
}

// The length of the probe text of a file with no bound on the text: every usable line.
static size_t whole_text_length(const unsigned char *bytes, size_t size)
{
    char text[2 * PROBE_FILE_BOUND + 1];
    decode_probe_file(bytes, size, true, text, sizeof text, ignore_notice);
    return strlen(text);
}

record_outcome build_recorded_file(const unsigned char *old, size_t old_size, bool old_whole,
                                   const char *lines, recorded_file *out)
{
    out->size = 0;
    out->room = 0;
    out->need = 0;
    out->first_probes = false;
    if (!old_whole)
        return RECORD_FILE_TOO_LARGE;
    if (!every_line_probed(lines))
        return RECORD_NOT_PROBED;
    char old_text[TEXT_SIZE] = {0};
    if (old_size > 0)
        decode_probe_file(old, old_size, true, old_text, sizeof old_text, ignore_notice);
    out->first_probes = !has_probe_line(old_text);
    if (has_every_line(old_text, lines))
        return RECORD_ALREADY_THERE;

    const file_encoding encoding = detect_encoding(old, old_size);
    const size_t mark = mark_length(old, old_size, encoding);
    memcpy(out->bytes, old, mark);
    out->size = mark;
    if (!put_lines(lines, encoding, out) || out->size + (old_size - mark) > sizeof out->bytes) {
        const size_t unit = encoding == ENCODING_UTF16LE || encoding == ENCODING_UTF16BE ? 2 : 1;
        size_t line_ends = 0;
        for (const char *c = lines; *c != '\0'; ++c)
            line_ends += *c == '\n';
        out->room = (int)(sizeof out->bytes - old_size);
        out->need = (int)(unit * (strlen(lines) + line_ends));
        out->size = 0;
        return RECORD_FILE_FULL;
    }
    memcpy(out->bytes + out->size, old + mark, old_size - mark);
    out->size += old_size - mark;
    // The lines the scan reads now are the first of the file's; they must all stay, after
    // what the record puts before them.
    out->room = (int)(TEXT_SIZE - 1 - strlen(old_text));
    out->need = (int)(whole_text_length(out->bytes, out->size) -
                      (old_size > 0 ? whole_text_length(old, old_size) : 0));
    if (out->need > out->room) {
        out->size = 0;
        return RECORD_NO_ROOM;
    }
    return RECORD_MADE;
}

void record_away_point(long x, long y, long width, long height, long *away_x, long *away_y)
{
    const long right = CLIENT_LEFT + CLIENT_WIDTH + 16;
    const long below = CLIENT_TOP + CLIENT_HEIGHT + 16;
    const long clamped_x = x < 0 ? 0 : x >= width ? width - 1 : x;
    const long clamped_y = y < 0 ? 0 : y >= height ? height - 1 : y;
    const long candidates[][2] = {{right, clamped_y}, {clamped_x, below}};
    for (size_t i = 0; i < 2; ++i) {
        const long cx = candidates[i][0];
        const long cy = candidates[i][1];
        const long across = cx > x ? cx - x : x - cx;
        const long down = cy > y ? cy - y : y - cy;
        if (cx < width && cy < height && (across >= RECORD_AWAY || down >= RECORD_AWAY)) {
            *away_x = cx;
            *away_y = cy;
            return;
        }
    }
    *away_x = x < width / 2 ? width - 1 : 0;
    *away_y = y < height / 2 ? height - 1 : 0;
}
