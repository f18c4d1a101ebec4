// The error log on the desktop, echoed to the console.
#ifndef QUORVANE_APP_ERROR_LOG_H
#define QUORVANE_APP_ERROR_LOG_H

#include "app/log_record.h"

// Appends a time-stamped record for message to the log and shows it. Ends the process
// (after a pause, status 1) when the log cannot be opened.
void log_error(const char *message);

// A failure that ends the normal run: logged, told in the class journal, status 1.
[[noreturn]] void log_error_and_exit(const char *message);

#endif
