// The probe list built into the program: where the live-room entry of the placed
// client window shows, and in which colour.
#ifndef QUORVANE_PROBE_PROBE_LIST_H
#define QUORVANE_PROBE_PROBE_LIST_H

extern const char builtin_probe_list[];

#endif
