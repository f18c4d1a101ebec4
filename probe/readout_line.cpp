#include "probe/readout_line.h"

#include "app/text.h"
#include "probe/probe_line.h"

bool format_readout_line(char *out, size_t size, long x, long y, unsigned long colour)
{
    // Padded to cover the colour values of a longer line before it.
    if (colour == UNREADABLE_COLOUR)
        return format_text(out, size, "  \r当前鼠标位置：X:%ld Y:%ld， 无法读取该点颜色    ", x, y);
    const screen_rgb rgb = split_screen_colour(colour);
    return format_text(out, size, "  \r当前鼠标位置：X:%ld Y:%ld， RGB值：%d,%d,%d", x, y, rgb.r,
                       rgb.g, rgb.b);
}
