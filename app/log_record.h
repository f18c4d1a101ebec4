// The text of one error-log record.
#ifndef QUORVANE_APP_LOG_RECORD_H
#define QUORVANE_APP_LOG_RECORD_H

#include "support/clock.h"

#include <stddef.h>

// The record as the log file gets it: reason line, time line, empty line. The console
// echo is the same text without its last '\n'.
bool format_log_record(char *out, size_t size, const char *message, const log_time *when);

#endif
