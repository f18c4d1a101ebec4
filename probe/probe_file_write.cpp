// The C runtime's buffered writes report success on a full disk, and the replacement
// would then leave an empty file: every step here is a system call whose result is seen.
#include "probe/probe_file_write.h"

#include "app/buffers.h"

#include <windows.h>

unsigned long replace_probe_file(const unsigned char *bytes, size_t size, const char **call)
{
    char temporary[TEXT_SIZE];
    if (!format_text(temporary, sizeof temporary, "%s.tmp", probe_file_path)) {
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
    DWORD written = 0;
    if (!WriteFile(file, bytes, (DWORD)size, &written, NULL) || written != size) {
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
    if (error == 0 && !MoveFileExA(temporary, probe_file_path,
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        *call = "MoveFileExA";
        error = GetLastError();
    }
    if (error != 0)
        DeleteFileA(temporary);
    return error;
}
