// Waiting for the client as it starts: a fixed number of looks, a fixed sleep after each
// one that fails. Free of the platform, so that the schedule is tested on its own.
#ifndef QUORVANE_CLIENT_CLIENT_WAIT_H
#define QUORVANE_CLIENT_CLIENT_WAIT_H

// A client just started at logon may take well over 6 s for its window and its process:
// this many looks, 3 s apart.
static const int CLIENT_LOOKS = 10;
static const unsigned long CLIENT_LOOK_PAUSE_MS = 3000;

typedef bool (*look_fn)(void *context);
typedef void (*sleep_fn)(unsigned long milliseconds);

// Looks up to `looks` times and sleeps `pause_ms` after every look that fails, the last
// one included. True as soon as a look succeeds.
bool wait_for_client(look_fn look, void *context, int looks, unsigned long pause_ms,
                     sleep_fn pause);

#endif
