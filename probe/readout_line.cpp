#include "probe/readout_line.h"

#include "probe/probe_line.h"
#include "support/text.h"

#include <string.h>

// "  \r" before each reading: the spaces end the last one, the return starts this one.
static const size_t READOUT_LEAD = 3;

bool format_readout_line(char *out, size_t size, long x, long y, unsigned long colour)
{
    bool formatted;
    if (colour == UNREADABLE_COLOUR) {
        formatted = format_text(out, size, "  \r当前鼠标位置：X:%ld Y:%ld， 无法读取该点颜色", x, y);
    } else {
        const screen_rgb rgb = split_screen_colour(colour);
        formatted = format_text(out, size, "  \r当前鼠标位置：X:%ld Y:%ld， RGB值：%d,%d,%d", x, y,
                                rgb.r, rgb.g, rgb.b);
    }
    if (!formatted)
        return false;
    // The return only moves back to the start of the console line, so every reading fills
    // the same columns: a shorter one then covers all of a longer one before it. A GBK
    // character of two bytes takes two columns, so bytes count columns.
    const size_t width = strlen(out) - READOUT_LEAD;
    if (width > READOUT_COLUMNS || READOUT_LEAD + READOUT_COLUMNS >= size) {
        out[0] = '\0';
        return false;
    }
    memset(out + READOUT_LEAD + width, ' ', READOUT_COLUMNS - width);
    out[READOUT_LEAD + READOUT_COLUMNS] = '\0';
    return true;
}
