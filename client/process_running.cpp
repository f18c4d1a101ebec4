#include "client/client.h"

#include "app/error_log.h"
#include "support/text.h"

#include <string.h>
#include <windows.h>
#include <tlhelp32.h>

bool process_running(const char *name)
{
    char wanted[TEXT_SIZE] = {0};
    if (!format_text(wanted, sizeof wanted, "%s", name))
        return false;
    CharLowerBuffA(wanted, sizeof wanted);

    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        log_error("获取系统进程失败");
        return false;
    }
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry)) {
        CharLowerBuffA(entry.szExeFile, sizeof entry.szExeFile);
        found = strcmp(entry.szExeFile, wanted) == 0;
    }
    CloseHandle(snapshot);
    return found;
}
