#include "journal/picture.h"

#include "journal/journal.h"
#include "journal/picture_text.h"
#include "support/desktop_paths.h"
#include "support/file_replace.h"
#include "support/text.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

static const DWORD WAITING_REFRESH_MS = 10 * 60 * 1000;

static bool waiting_taken;
static DWORD waiting_taken_at;
static bool unreadable_told; // one journal line a run
static bool failure_told;    // one console line a run

// Deletes the oldest of the program's pictures until the newest are within the budget.
// Other files in the folder, and keep (this run's), are never touched.
static void keep_newest_pictures(const char *folder, const char *keep)
{
    char pattern[TEXT_SIZE];
    if (!format_text(pattern, sizeof pattern, "%s\\*.bmp", folder))
        return;
    for (;;) {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA(pattern, &found);
        if (find == INVALID_HANDLE_VALUE)
            return;
        int count = 0;
        unsigned long long bytes = 0;
        char oldest[MAX_PATH] = "";
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
                !is_picture_name(found.cFileName))
                continue;
            ++count;
            bytes += ((unsigned long long)found.nFileSizeHigh << 32) | found.nFileSizeLow;
            // The names begin with the run's date and time, so the smallest is the oldest.
            if (strcmp(found.cFileName, keep) != 0 &&
                (oldest[0] == '\0' || strcmp(found.cFileName, oldest) < 0))
                memcpy(oldest, found.cFileName, sizeof oldest);
        } while (FindNextFileA(find, &found));
        FindClose(find);
        char path[TEXT_SIZE];
        if ((count <= PICTURE_KEEP_FILES && bytes <= PICTURE_KEEP_BYTES) || oldest[0] == '\0' ||
            !format_text(path, sizeof path, "%s\\%s", folder, oldest) || !DeleteFileA(path))
            return;
    }
}

static void tell_failure(const char *call, unsigned long error)
{
    if (failure_told)
        return;
    failure_told = true;
    printf("无法保存画面到桌面的" PICTURE_FOLDER "文件夹：%s（%s 错误 %lu），不影响进入直播间\n",
           write_failure_reason(error), call, error);
}

// This run's picture for its outcome into the folder; name: its path under the desktop.
static picture_outcome save_picture(bool joined, char *name, size_t size)
{
    char folder[TEXT_SIZE];
    char path[TEXT_SIZE];
    if (!format_picture_name(name, size, journal_run_stamp(), joined) ||
        !desktop_file_path(folder, sizeof folder, PICTURE_FOLDER) ||
        !desktop_file_path(path, sizeof path, name)) {
        tell_failure("format_text", ERROR_FILENAME_EXCED_RANGE);
        return PICTURE_NOT_SAVED;
    }
    if (!CreateDirectoryA(folder, NULL) && GetLastError() != ERROR_ALREADY_EXISTS) {
        tell_failure("CreateDirectoryA", GetLastError());
        return PICTURE_NOT_SAVED;
    }
    const char *call = "";
    unsigned long error = 0;
    const picture_outcome outcome = save_client_area(path, &call, &error);
    if (outcome == PICTURE_NOT_SAVED)
        tell_failure(call, error);
    if (outcome == PICTURE_SAVED)
        keep_newest_pictures(folder, path + strlen(folder) + 1);
    return outcome;
}

void refresh_waiting_picture()
{
    if (waiting_taken && GetTickCount() - waiting_taken_at < WAITING_REFRESH_MS)
        return;
    waiting_taken = true;
    waiting_taken_at = GetTickCount();
    char name[TEXT_SIZE];
    if (save_picture(false, name, sizeof name) == PICTURE_UNREADABLE && !unreadable_told) {
        unreadable_told = true;
        journal_note("屏幕无法读取（已锁定或显示着安全桌面），这时没有保存画面");
    }
}

bool joined_picture_name(char *name, size_t size)
{
    return format_picture_name(name, size, journal_run_stamp(), true);
}

picture_outcome save_joined_picture()
{
    char name[TEXT_SIZE];
    const picture_outcome outcome = save_picture(true, name, sizeof name);
    // The waiting picture would say the run never got in.
    char waiting[TEXT_SIZE];
    char path[TEXT_SIZE];
    if (waiting_taken && format_picture_name(waiting, sizeof waiting, journal_run_stamp(), false) &&
        desktop_file_path(path, sizeof path, waiting))
        DeleteFileA(path);
    return outcome;
}
