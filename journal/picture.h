// The pictures of how runs ended, in a folder on the desktop: one per run, showing the
// live room after the click, or the screen as it last was while no point matched.
#ifndef QUORVANE_JOURNAL_PICTURE_H
#define QUORVANE_JOURNAL_PICTURE_H

#include "journal/screen_picture.h"

#include <stddef.h>

// Between probes: the run's waiting picture, made at the first miss where the screen can
// be read and renewed every ten minutes, so that a run stopped from outside leaves its
// last view of the screen.
void refresh_waiting_picture();

// The path under the desktop of the picture that the click leaves.
bool joined_picture_name(char *name, size_t size);

// After the click: the picture of the live room, in place of the waiting one.
picture_outcome save_joined_picture();

#endif
