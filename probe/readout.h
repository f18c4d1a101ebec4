// The cursor colour readout, for authoring probe lines.
#ifndef QUORVANE_PROBE_READOUT_H
#define QUORVANE_PROBE_READOUT_H

// Places the client window as the normal run does, then shows the cursor position and
// the colour under it every 300 ms. Never returns.
[[noreturn]] void show_cursor_colour();

#endif
