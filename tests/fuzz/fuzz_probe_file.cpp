// Any bytes as a probe file, in any encoding it may be judged to have: loading must stay
// inside the probe text, keep only lines the scan can use, and leave a text the walk
// gets through. A point recorded into it comes first, in the same encoding, before the
// old bytes unchanged, and every line the scan read stays.
#include "support/text.h"
#include "probe/probe_encoding.h"
#include "probe/probe_line.h"
#include "probe/probe_walk.h"
#include "probe/record_text.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

static void ignore(load_notice, int) {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    char text[TEXT_SIZE];
    const bool whole = size <= PROBE_FILE_BOUND;
    const size_t read = whole ? size : PROBE_FILE_BOUND;
    decode_probe_file(data, read, whole, text, sizeof text, ignore);

    const size_t length = strnlen(text, sizeof text);
    if (length >= sizeof text || (length > 0 && text[length - 1] != '\n'))
        abort();
    // Every kept line is empty or a probe.
    for (size_t start = 0; start < length;) {
        const char *end = strchr(text + start, '\n');
        const size_t line_length = (size_t)(end - (text + start));
        char line[LINE_BUFFER_SIZE] = {0};
        if (line_length > MAX_LINE_CHARS)
            abort();
        memcpy(line, text + start, line_length);
        int x, y;
        char key[KEY_SIZE];
        if (check_probe_line(line, line_length, &x, &y, key) >= LINE_TOO_LONG)
            abort();
        start += line_length + 1;
    }
    size_t pos = 0;
    int x, y;
    char key[KEY_SIZE];
    for (int i = 0; i < 30 && next_probe(text, &pos, &x, &y, key); ++i) {
    }

    static const char LINE[] = "12,34 56,78,90\n";
    static recorded_file out;
    if (build_recorded_file(data, read, whole, LINE, &out) != RECORD_MADE)
        return 0;
    const file_encoding encoding = detect_encoding(data, read);
    if (detect_encoding(out.bytes, out.size) != encoding)
        abort();
    // The line first, then every line the scan read before (an empty first line, which
    // only the start skips, comes back as a line of its own).
    char recorded[TEXT_SIZE];
    decode_probe_file(out.bytes, out.size, true, recorded, sizeof recorded, ignore);
    const char *rest = recorded + sizeof LINE - 1;
    if (strncmp(recorded, LINE, sizeof LINE - 1) != 0 ||
        (strncmp(rest, text, length) != 0 && (rest[0] != '\n' || strncmp(rest + 1, text, length) != 0)))
        abort();
    // The line in the file's units (CR LF), then the old bytes after the mark as they were.
    const size_t mark = mark_length(data, read, encoding);
    const size_t unit = encoding == ENCODING_UTF16LE || encoding == ENCODING_UTF16BE ? 2 : 1;
    const size_t line_bytes = (sizeof LINE) * unit; // its '\n' is two units, CR LF
    if (out.size != read + line_bytes || memcmp(out.bytes, data, mark) != 0 ||
        memcmp(out.bytes + mark + line_bytes, data + mark, read - mark) != 0)
        abort();
    return 0;
}
