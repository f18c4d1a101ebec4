#include "journal/picture_text.h"

#include "support/text.h"

#include <string.h>

bool format_picture_name(char *out, size_t size, const char *stamp, bool joined)
{
    // A file name has no ':'; the time's are dashes there.
    char name_stamp[32];
    if (!format_text(name_stamp, sizeof name_stamp, "%s", stamp))
        return false;
    for (char *c = name_stamp; *c != '\0'; ++c) {
        if (*c == ':')
            *c = '-';
    }
    return format_text(out, size, "%s\\%s %s.bmp", PICTURE_FOLDER, name_stamp,
                       joined ? PICTURE_JOINED : PICTURE_WAITING);
}

bool is_picture_name(const char *name)
{
    static const char SHAPE[] = "dddd-dd-dd dd-dd-dd ";
    for (size_t i = 0; i < sizeof SHAPE - 1; ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (name[i] == '\0' || (SHAPE[i] == 'd' ? !digit : name[i] != SHAPE[i]))
            return false;
    }
    const char *outcome = name + sizeof SHAPE - 1;
    return strcmp(outcome, PICTURE_WAITING ".bmp") == 0 ||
           strcmp(outcome, PICTURE_JOINED ".bmp") == 0;
}

static void put_le(unsigned char *at, unsigned long value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = (unsigned char)(value >> (8 * i));
}

void make_bmp_header(unsigned char *header)
{
    memset(header, 0, BMP_HEADER_SIZE);
    header[0] = 'B';
    header[1] = 'M';
    put_le(header + 2, PICTURE_FILE_SIZE, 4);
    put_le(header + 10, BMP_HEADER_SIZE, 4); // where the pixels start
    put_le(header + 14, 40, 4);              // BITMAPINFOHEADER
    put_le(header + 18, PICTURE_WIDTH, 4);
    put_le(header + 22, PICTURE_HEIGHT, 4); // positive: the bottom row first
    put_le(header + 26, 1, 2);              // planes
    put_le(header + 28, 24, 2);             // bits per pixel, BI_RGB
    put_le(header + 34, (unsigned long)PICTURE_ROW_BYTES * PICTURE_HEIGHT, 4);
    put_le(header + 38, 3780, 4); // 96 dots per inch, in dots per metre
    put_le(header + 42, 3780, 4);
}
