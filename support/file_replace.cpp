// The C runtime's buffered writes report success on a full disk, and the replacement
// would then leave an empty file: every step here is a system call whose result is seen.
#include "support/file_replace.h"

#include "support/leftover_name.h"
#include "support/text.h"

#include <string.h>
#include <windows.h>

static bool write_all(HANDLE file, const void *bytes, size_t size)
{
    DWORD written = 0;
    return size == 0 || (WriteFile(file, bytes, (DWORD)size, &written, NULL) && written == size);
}

bool temporary_path(char *out, size_t size, const char *path)
{
    return format_text(out, size, "%s.%lu.tmp", path, GetCurrentProcessId());
}

unsigned long put_in_place(const char *temporary, const char *path, const char **call)
{
    if (MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    *call = "MoveFileExA";
    return GetLastError();
}

unsigned long replace_file(const char *path, const void *head, size_t head_size,
                           const void *body, size_t body_size, const char **call)
{
    char temporary[TEXT_SIZE];
    if (!temporary_path(temporary, sizeof temporary, path)) {
        *call = "format_text";
        return ERROR_FILENAME_EXCED_RANGE;
    }
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        *call = "CreateFileA";
        return GetLastError();
    }
    unsigned long error = 0;
    SetLastError(0);
    if (!write_all(file, head, head_size) || !write_all(file, body, body_size)) {
        *call = "WriteFile";
        error = GetLastError() != 0 ? GetLastError() : ERROR_DISK_FULL;
    } else if (!FlushFileBuffers(file)) {
        *call = "FlushFileBuffers";
        error = GetLastError();
    }
    if (!CloseHandle(file) && error == 0) {
        *call = "CloseHandle";
        error = GetLastError();
    }
    if (error == 0)
        error = put_in_place(temporary, path, call);
    if (error != 0)
        DeleteFileA(temporary);
    return error;
}

// True while the process with id runs, or cannot be looked at (another user's).
static bool process_alive(DWORD id)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process == NULL)
        return GetLastError() == ERROR_ACCESS_DENIED;
    const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return alive;
}

void remove_leftovers(const char *folder, const char *name)
{
    char found_path[TEXT_SIZE];
    if (format_text(found_path, sizeof found_path, "%s\\%s.tmp", folder, name))
        DeleteFileA(found_path);
    char pattern[TEXT_SIZE];
    if (!format_text(pattern, sizeof pattern, "%s\\%s.*.tmp", folder, name))
        return;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern, &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    const size_t length = strlen(name);
    do {
        // The pattern also matches short names; only our own long ones count.
        if (strncmp(found.cFileName, name, length) != 0 || found.cFileName[length] != '.')
            continue;
        unsigned long owner = 0;
        if (leftover_tail(found.cFileName + length + 1, &owner) && owner != 0 &&
            owner != GetCurrentProcessId() && !process_alive(owner) &&
            format_text(found_path, sizeof found_path, "%s\\%s", folder, found.cFileName))
            DeleteFileA(found_path);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

const char *write_failure_reason(unsigned long error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "桌面所在的磁盘已满";
    case ERROR_ACCESS_DENIED:
        return "文件是只读的，或桌面文件夹不允许写入";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "文件正被其他程序使用";
    }
    return "系统拒绝写入";
}
