// The program's own file replacement where the flush fails, as a disk may fail only when
// the written data is forced out: the old file must stay as it was and nothing be left
// beside it. The failure comes from this helper's own FlushFileBuffers, which stands in
// the import table's place, so that the replacement's code is the program's, unchanged.
//   replace_check FOLDER    prints what it saw; exits 0 when the old file is intact
#include "support/file_replace.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

static BOOL WINAPI failing_flush(HANDLE)
{
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

#if defined(_WIN64)
#define IMPORTED(name, bytes) "__imp_" #name
#else
#define IMPORTED(name, bytes) "__imp__" #name "@" #bytes
#endif
extern "C" BOOL(WINAPI *imported_flush)(HANDLE) __asm__(IMPORTED(FlushFileBuffers, 4));
BOOL(WINAPI *imported_flush)(HANDLE) = failing_flush;

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s\\journal.txt", argv[1]);
    FILE *f = fopen(path, "wb");
    if (f == NULL || fputs("old lines\r\n", f) == EOF || fclose(f) != 0)
        return 2;
    const char *call = "";
    const unsigned long error = replace_file(path, "new lines\r\n", 11, NULL, 0, &call);
    char kept[64] = "";
    f = fopen(path, "rb");
    const size_t size = f != NULL ? fread(kept, 1, sizeof kept - 1, f) : 0;
    kept[size] = '\0';
    if (f != NULL)
        fclose(f);
    // Everything in the folder: the old file alone.
    char pattern[MAX_PATH];
    snprintf(pattern, sizeof pattern, "%s\\*", argv[1]);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern, &found);
    int files = 0;
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &found)) {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            ++files;
            printf("file %s\n", found.cFileName);
        }
    }
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    printf("error %lu call %s kept %s", error, call, kept);
    return error == ERROR_DISK_FULL && strcmp(call, "FlushFileBuffers") == 0 &&
                   strcmp(kept, "old lines\r\n") == 0 && files == 1
               ? 0
               : 1;
}
