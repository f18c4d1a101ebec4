// The texts shared by the whole run. Zero at start; nothing is allocated.
#ifndef QUORVANE_SUPPORT_BUFFERS_H
#define QUORVANE_SUPPORT_BUFFERS_H

#include "support/text.h"

extern char probe_file_path[TEXT_SIZE]; // the custom probe file on the desktop
extern char log_path[TEXT_SIZE];        // the error log on the desktop
extern char probe_text[TEXT_SIZE];      // the loaded probe file, or empty
extern char launch_command[TEXT_SIZE];  // what started the client, or empty

#endif
