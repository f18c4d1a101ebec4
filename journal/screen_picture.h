// A picture of the client's area of the screen, as the scan sees it, in a BMP file.
#ifndef QUORVANE_JOURNAL_SCREEN_PICTURE_H
#define QUORVANE_JOURNAL_SCREEN_PICTURE_H

enum picture_outcome {
    PICTURE_SAVED,
    PICTURE_UNREADABLE, // a locked or secure desktop: nothing is written
    PICTURE_NOT_SAVED   // the system refused the capture or the file
};

// Saves the area at (0, 0), 930 x 640 in the program's coordinates, as a 24-bit BMP at
// path, in place of the file there. On a scaled display the area covers the physical
// pixels the scan reads, brought to that size. For PICTURE_NOT_SAVED, *call and *error
// say what failed.
picture_outcome save_client_area(const char *path, const char **call, unsigned long *error);

#endif
