// The pictures of how runs ended: their names in the pictures folder on the desktop, and
// how many are kept.
#ifndef QUORVANE_JOURNAL_PICTURE_TEXT_H
#define QUORVANE_JOURNAL_PICTURE_TEXT_H

#include <stddef.h>

enum {
    // Four school weeks of three classes a day. A 1920 x 1080 screen of the client alone
    // is about 13 KB; a busy one (a picture over all of it) 3.3 MB, noise 3.9 MB: 60 of
    // these last fit.
    PICTURE_KEEP_FILES = 60,
    PICTURE_KEEP_BYTES = 256 * 1024 * 1024
};

// The folder on the desktop, and the two outcomes a run's picture is named by.
#define PICTURE_FOLDER "上课画面"
#define PICTURE_WAITING "未进入直播间"
#define PICTURE_JOINED "已进入直播间"

// "上课画面\2026-12-10 08-45-02 已进入直播间.png" for the run started at stamp
// ("2026-12-10 08:45:02"): the path under the desktop. False when it does not fit.
bool format_picture_name(char *out, size_t size, const char *stamp, bool joined);

// True for a file name (no folder) that format_picture_name makes, or that the versions
// before made (".bmp"): the only pictures the program ever deletes from the folder.
bool is_picture_name(const char *name);

// True for what a run killed while it wrote a picture left: a picture's name with
// ".<process id>.tmp", or ".tmp" as the versions before wrote. *owner gets the id, or 0.
bool is_picture_leftover(const char *name, unsigned long *owner);

#endif
