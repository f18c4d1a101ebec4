// Ending the process after the user has read the console.
#ifndef QUORVANE_SUPPORT_CONSOLE_H
#define QUORVANE_SUPPORT_CONSOLE_H

// Runs the command interpreter's "pause", then ends the process with status.
[[noreturn]] void pause_and_exit(int status);

#endif
