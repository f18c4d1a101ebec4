// Starting the program at every logon, through the per-user Run key.
#ifndef QUORVANE_SETUP_AUTOSTART_H
#define QUORVANE_SETUP_AUTOSTART_H

// Both report on the console, pause and end the process: status 0 on success, 1 not.
[[noreturn]] void add_autostart();
[[noreturn]] void remove_autostart();

#endif
