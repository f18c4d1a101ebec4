// The error log on the desktop, echoed to the console.
#ifndef QUORVANE_APP_ERROR_LOG_H
#define QUORVANE_APP_ERROR_LOG_H

// Appends a time-stamped record for message to the log and shows it. Ends the process
// (after a pause, status 1) when the log cannot be opened.
void log_error(const char *message);

#endif
