// The program declares no DPI awareness, so on a scaled display (125 %, 150 %) Windows
// gives it scaled coordinates, while the screen's pixels are physical. What reads the
// screen (the colour under the cursor, the picture of the screen) asks for physical pixels
// for its thread, for the read only.
#ifndef QUORVANE_SUPPORT_PHYSICAL_PIXELS_H
#define QUORVANE_SUPPORT_PHYSICAL_PIXELS_H

// Puts this thread in physical pixels (per-monitor DPI aware) where Windows can, and
// returns what leave_physical_pixels restores; NULL where it cannot (before Windows 10).
void *enter_physical_pixels();
void leave_physical_pixels(void *previous);

// A function of user32.dll looked up at run time, so that the exe still starts on
// Windows that lack it; NULL where it is missing.
void (*user32_function(const char *name))();

#endif
