#include "support/buffers.h"

#include <string.h>

char probe_file_path[TEXT_SIZE];
char log_path[TEXT_SIZE];
char probe_text[TEXT_SIZE];
char launch_command[TEXT_SIZE];

bool desktop_file_path(char *out, size_t size, const char *name)
{
    // The log path is the desktop folder and this name; searching for the last '\\'
    // would not do in GBK text, where it can be the second byte of a character.
    static const char LOG_NAME[] = "\\Quorvane.log";
    const size_t length = strlen(log_path);
    return length >= sizeof LOG_NAME - 1 &&
           format_text(out, size, "%.*s\\%s", (int)(length - (sizeof LOG_NAME - 1)), log_path,
                       name);
}
