#include "client/launch_path.h"

#include "client/client_ids.h"
#include "support/text.h"

#include <string.h>

const char *uninstall_key_for(unsigned architecture)
{
    return architecture == ARCHITECTURE_X86 ? UNINSTALL_KEY_X86 : UNINSTALL_KEY_WOW64;
}

launcher_path_result derive_launcher_path(const char *uninstall_value, char *path,
                                          size_t size)
{
    path[0] = '\0';
    // Byte by byte, as the record's folder is matched on the bytes it holds.
    const char *last = strrchr(uninstall_value, '\\');
    if (last == NULL)
        return LAUNCHER_PATH_NO_BACKSLASH;
    const size_t folder = (size_t)(last - uninstall_value) + 1;
    // The command interpreter gets the path inside two pairs of quotes.
    if (folder + strlen(LAUNCHER_FILE) + 4 >= size)
        return LAUNCHER_PATH_TOO_LONG;
    memcpy(path, uninstall_value, folder);
    path[folder] = '\0';
    append_text(path, size, LAUNCHER_FILE);
    return LAUNCHER_PATH_OK;
}
