// Replacing the probe file on the desktop without ever leaving it half written.
#ifndef QUORVANE_PROBE_PROBE_FILE_WRITE_H
#define QUORVANE_PROBE_PROBE_FILE_WRITE_H

#include <stddef.h>

// Writes bytes in full to a new file beside the probe file, then puts it in the probe
// file's place. On failure the probe file is as it was and the new file is gone: returns
// the system error code, with *call the name of the call that failed; 0 on success.
unsigned long replace_probe_file(const unsigned char *bytes, size_t size, const char **call);

#endif
