// From the client's uninstall record to the launcher path and command, without touching
// the registry or the file system.
#ifndef QUORVANE_CLIENT_LAUNCH_PATH_H
#define QUORVANE_CLIENT_LAUNCH_PATH_H

#include <stddef.h>

// The uninstall key for a native processor architecture value.
const char *uninstall_key_for(unsigned architecture);

enum launcher_path_result {
    LAUNCHER_PATH_OK,
    LAUNCHER_PATH_NO_BACKSLASH, // the value names no folder
    LAUNCHER_PATH_TOO_LONG      // the path would not fit the launch command
};

// Cuts the uninstall value after its last backslash and appends the launcher's file
// name. The path must leave room for the four quotes the launch needs.
launcher_path_result derive_launcher_path(const char *uninstall_value, char *path,
                                          size_t size);

#endif
