// The built-in probe list written to the desktop, as the start of a custom one.
#ifndef QUORVANE_SETUP_PROBE_TEMPLATE_H
#define QUORVANE_SETUP_PROBE_TEMPLATE_H

// Reports on the console, pauses and ends the process: status 0 on success, 1 not.
[[noreturn]] void write_probe_template();

#endif
