// Any bytes as a probe file, in any encoding it may be judged to have: loading must stay
// inside the probe text, keep only lines the scan can use, and leave a text the walk
// gets through.
#include "app/text.h"
#include "probe/probe_encoding.h"
#include "probe/probe_line.h"
#include "probe/probe_walk.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

struct bytes {
    const uint8_t *data;
    size_t size, at;
};

static int next_byte(void *source)
{
    bytes *b = static_cast<bytes *>(source);
    return b->at < b->size ? b->data[b->at++] : -1;
}

static void restart(void *source)
{
    static_cast<bytes *>(source)->at = 0;
}

static void ignore(load_notice, int) {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    char text[TEXT_SIZE];
    bytes source = {data, size, 0};
    decode_probe_file(next_byte, restart, &source, text, sizeof text, ignore);

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
    return 0;
}
