// The pictures of how runs ended: their names in the pictures folder on the desktop and
// the bytes that open a BMP file.
#ifndef QUORVANE_JOURNAL_PICTURE_TEXT_H
#define QUORVANE_JOURNAL_PICTURE_TEXT_H

#include <stddef.h>

enum {
    PICTURE_WIDTH = 930, // the client's area at (0, 0), as the scan's points are given
    PICTURE_HEIGHT = 640,
    PICTURE_KEEP_FILES = 30,                 // the newest pictures kept, at most
    PICTURE_KEEP_BYTES = 20 * 1024 * 1024,   // and in all at most
    BMP_HEADER_SIZE = 54,                    // file header and BITMAPINFOHEADER
    PICTURE_ROW_BYTES = (PICTURE_WIDTH * 3 + 3) / 4 * 4,
    PICTURE_FILE_SIZE = BMP_HEADER_SIZE + PICTURE_ROW_BYTES * PICTURE_HEIGHT
};

// The folder on the desktop, and the two outcomes a run's picture is named by.
#define PICTURE_FOLDER "上课画面"
#define PICTURE_WAITING "未进入直播间"
#define PICTURE_JOINED "已进入直播间"

// "上课画面\2026-12-10 08-45-02 已进入直播间.bmp" for the run started at stamp
// ("2026-12-10 08:45:02"): the path under the desktop. False when it does not fit.
bool format_picture_name(char *out, size_t size, const char *stamp, bool joined);

// True for a file name (no folder) that format_picture_name makes: the only files the
// program ever deletes from the folder.
bool is_picture_name(const char *name);

// The 54 bytes before the pixels of a 24-bit bottom-up BMP of the picture's size.
void make_bmp_header(unsigned char *header);

#endif
