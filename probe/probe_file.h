// The user's own probe list on the desktop.
#ifndef QUORVANE_PROBE_PROBE_FILE_H
#define QUORVANE_PROBE_PROBE_FILE_H

// Loads the probe file into the probe text, or leaves that empty. Says whether the
// file was found and which of its lines were left out.
void load_probe_file();

#endif
