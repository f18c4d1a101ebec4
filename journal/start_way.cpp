#include "journal/start_way.h"

#include "support/text.h"

#include <windows.h>
#include <tlhelp32.h>

// The image name of the process with id, into name; false when no such process runs.
static bool image_of(HANDLE snapshot, DWORD id, DWORD *parent_id, char *name, size_t size)
{
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == id) {
            *parent_id = entry.th32ParentProcessID;
            return name == NULL || format_text(name, size, "%s", entry.szExeFile);
        }
    }
    return false;
}

start_way how_run_started(char *parent, size_t size)
{
    parent[0] = '\0';
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return STARTED_UNKNOWN;
    DWORD parent_id = 0;
    DWORD unused = 0;
    // A parent that has ended is not in the list: the way is then unknown.
    if (!image_of(snapshot, GetCurrentProcessId(), &parent_id, NULL, 0) || parent_id == 0 ||
        !image_of(snapshot, parent_id, &unused, parent, size))
        parent[0] = '\0';
    CloseHandle(snapshot);
    return start_way_of(parent);
}
