// The C runtime's buffered writes report success on a full disk, and the replacement
// would then leave an empty file: every step here is a system call whose result is seen.
#include "support/file_replace.h"

#include "support/text.h"

#include <windows.h>

static bool write_all(HANDLE file, const void *bytes, size_t size)
{
    DWORD written = 0;
    return size == 0 || (WriteFile(file, bytes, (DWORD)size, &written, NULL) && written == size);
}

unsigned long replace_file(const char *path, const void *head, size_t head_size,
                           const void *body, size_t body_size, const char **call)
{
    char temporary[TEXT_SIZE];
    if (!format_text(temporary, sizeof temporary, "%s.tmp", path)) {
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
    if (error == 0 && !MoveFileExA(temporary, path,
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        *call = "MoveFileExA";
        error = GetLastError();
    }
    if (error != 0)
        DeleteFileA(temporary);
    return error;
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
