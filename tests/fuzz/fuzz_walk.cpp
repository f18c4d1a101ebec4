// Any probe text as the scan gets it: the walk never leaves the text and always ends a
// round, finding a probe or saying there is none.
#include "support/text.h"
#include "probe/probe_line.h"
#include "probe/probe_walk.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    char text[TEXT_SIZE] = {0};
    memcpy(text, data, size < sizeof text - 1 ? size : sizeof text - 1);
    const size_t length = strlen(text);
    const bool any = has_probe_line(text);
    size_t pos = 0;
    int x, y;
    char key[KEY_SIZE];
    for (size_t i = 0; i <= length + 1; ++i) {
        if (next_probe(text, &pos, &x, &y, key) != any)
            abort();
        if (!any)
            break;
        if (pos > length || strnlen(key, sizeof key) >= sizeof key)
            abort();
    }
    return 0;
}
