// A picture of the whole primary screen as the user sees it (the client at its top-left
// and any dialog over it), in physical pixels, as a PNG file.
#ifndef QUORVANE_JOURNAL_SCREEN_PICTURE_H
#define QUORVANE_JOURNAL_SCREEN_PICTURE_H

enum picture_outcome {
    PICTURE_SAVED,
    PICTURE_UNREADABLE,  // a locked or secure desktop: nothing is written
    PICTURE_NOT_SAVED,   // the system refused the capture or the file: *error is its code
    PICTURE_NOT_ENCODED  // the system's image codec failed: *error is its status
};

// Saves the screen at path, through a temporary file of this run's own, in place of the
// file there; on failure nothing is left behind, and *call names what failed.
picture_outcome save_screen_picture(const char *path, const char **call, unsigned long *error);

#endif
