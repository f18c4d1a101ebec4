// Which program started this run, for the journal.
#ifndef QUORVANE_JOURNAL_START_WAY_H
#define QUORVANE_JOURNAL_START_WAY_H

#include "journal/journal_text.h"

#include <stddef.h>

// The way this process was started; parent (size bytes) gets the starting program's
// image name, or is empty when that program is gone.
start_way how_run_started(char *parent, size_t size);

#endif
