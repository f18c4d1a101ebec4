// Any bytes as one probe line: the reader stays inside its token and key buffers.
#include "probe/probe_line.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A collected line never holds more than this; a few bytes more try the edge.
    char line[64] = {0};
    const size_t length = size < sizeof line - 1 ? size : sizeof line - 1;
    memcpy(line, data, length);
    int x = 0, y = 0;
    char key[KEY_SIZE];
    if (read_probe_fields(line, &x, &y, key, sizeof key) && strnlen(key, sizeof key) >= sizeof key)
        abort();
    char small[4];
    read_probe_fields(line, &x, &y, small, sizeof small);
    check_probe_line(line, strlen(line), &x, &y, key);
    return 0;
}
