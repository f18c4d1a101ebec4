// Bringing the DingTalk client up with its window where the probe points expect it.
#ifndef QUORVANE_CLIENT_CLIENT_H
#define QUORVANE_CLIENT_CLIENT_H

// Starts the client from its uninstall record, else from the desktop shortcut; ends
// the process when neither is there.
void launch_client();

// True when a running process's image name is name, ignoring letter case.
bool process_running(const char *name);

// Launches the client, finds its window, waits for its process and places the window.
// verbose prints the progress lines. Ends the process on failure.
void prepare_client(bool verbose);

#endif
