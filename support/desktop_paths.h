// Files on the user's desktop: the log, the probe file, the journal and its pictures.
#ifndef QUORVANE_SUPPORT_DESKTOP_PATHS_H
#define QUORVANE_SUPPORT_DESKTOP_PATHS_H

#include <stddef.h>

// The user's desktop folder into out (TEXT_SIZE bytes); false when Windows cannot say.
bool desktop_folder(char *out);

// "<desktop>\<name>". False when the desktop is unknown or the path does not fit.
bool desktop_file_path(char *out, size_t size, const char *name);

#endif
