#include "support/desktop_paths.h"

#include "support/text.h"

#include <windows.h>
#include <shlobj.h>

bool desktop_folder(char *out)
{
    out[0] = '\0';
    return SHGetSpecialFolderPathA(NULL, out, CSIDL_DESKTOPDIRECTORY, FALSE) != FALSE;
}

bool desktop_file_path(char *out, size_t size, const char *name)
{
    char desktop[TEXT_SIZE];
    return desktop_folder(desktop) && format_text(out, size, "%s\\%s", desktop, name);
}
