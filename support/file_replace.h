// Replacing a file on the desktop without ever leaving it half written.
#ifndef QUORVANE_SUPPORT_FILE_REPLACE_H
#define QUORVANE_SUPPORT_FILE_REPLACE_H

#include <stddef.h>

// Writes head, then body (either may be empty), in full to "<path>.<process id>.tmp",
// a name of this run's own, then puts that file in path's place. On failure path is as it was and the new file is gone: returns
// the system error code, with *call the name of the call that failed; 0 on success.
unsigned long replace_file(const char *path, const void *head, size_t head_size,
                           const void *body, size_t body_size, const char **call);

// "<path>.<process id>.tmp": where this run writes a file that then takes path's place.
bool temporary_path(char *out, size_t size, const char *path);

// Puts the complete file temporary in path's place; 0, or the system error code with
// *call the call that failed.
unsigned long put_in_place(const char *temporary, const char *path, const char **call);

// Deletes what runs killed while they replaced folder\name left beside it:
// "<name>.<id>.tmp" of a process that is gone, and "<name>.tmp" of the versions before.
void remove_leftovers(const char *folder, const char *name);

// What a failed write means to the user, for the system error code.
const char *write_failure_reason(unsigned long error);

#endif
