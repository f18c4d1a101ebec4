#include "support/leftover_name.h"

#include <string.h>

bool leftover_tail(const char *tail, unsigned long *owner)
{
    *owner = 0;
    const char *c = tail;
    for (; *c >= '0' && *c <= '9' && *owner < 100000000UL; ++c)
        *owner = *owner * 10 + (unsigned long)(*c - '0');
    if (c == tail)
        return strcmp(c, "tmp") == 0;
    return strcmp(c, ".tmp") == 0;
}
