#include "support/text.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

bool format_text(char *dst, size_t size, const char *format, ...)
{
    if (size == 0)
        return false;
    va_list args;
    va_start(args, format);
#if defined(_WIN32)
    // msvcrt's own: MinGW's vsnprintf wraps it in code of its own, which costs the exe two
    // sections. It answers -1 where the text does not fit, and size where it fits without
    // its terminator: both are too long here.
    int written = _vsnprintf(dst, size, format, args);
#else
    int written = vsnprintf(dst, size, format, args);
#endif
    va_end(args);
    if (written < 0 || (size_t)written >= size) {
        dst[0] = '\0';
        return false;
    }
    return true;
}

bool append_text(char *dst, size_t size, const char *tail)
{
    size_t used = strlen(dst);
    size_t extra = strlen(tail);
    if (used + extra >= size)
        return false;
    memcpy(dst + used, tail, extra + 1);
    return true;
}
