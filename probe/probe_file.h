// The user's own probe list on the desktop.
#ifndef QUORVANE_PROBE_PROBE_FILE_H
#define QUORVANE_PROBE_PROBE_FILE_H

#include "probe/probe_encoding.h"

#include <stddef.h>

// The probe file's name on the desktop.
#define PROBE_FILE_NAME "自定义RGB.txt"

// The start of the probe file as it is on disk, read once.
struct probe_file_bytes {
    unsigned char bytes[PROBE_FILE_BOUND];
    size_t size;
    bool whole; // the file ends after size bytes
};

enum probe_file_state { PROBE_FILE_MISSING, PROBE_FILE_READ, PROBE_FILE_UNREADABLE };

// Reads up to PROBE_FILE_BOUND bytes of the probe file.
probe_file_state read_probe_file(probe_file_bytes *file);

// Loads the probe file into the probe text, or leaves that empty. Says whether the
// file was found and which of its lines were left out.
void load_probe_file();

#endif
