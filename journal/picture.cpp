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
static bool failure_told;    // one console line and one journal line a run

// Deletes what runs killed while they wrote a picture left, then the oldest of the
// program's pictures until the newest are within the budget. One that cannot be deleted
// (read-only, open in a viewer) is passed over, and the next is tried. Other files in the
// folder, and keep (this run's), are never touched.
static void keep_newest_pictures(const char *folder, const char *keep)
{
    char pattern[TEXT_SIZE];
    if (!format_text(pattern, sizeof pattern, "%s\\*", folder))
        return;
    char passed[MAX_PATH] = ""; // the newest that could not be deleted: none before it is tried
    char path[TEXT_SIZE];
    for (;;) {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA(pattern, &found);
        if (find == INVALID_HANDLE_VALUE)
            return;
        int count = 0;
        unsigned long long bytes = 0;
        char oldest[MAX_PATH] = "";
        do {
            unsigned long owner = 0;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                continue;
            if (is_picture_leftover(found.cFileName, &owner)) {
                if (owner != GetCurrentProcessId() &&
                    format_text(path, sizeof path, "%s\\%s", folder, found.cFileName))
                    DeleteFileA(path);
                continue;
            }
            if (!is_picture_name(found.cFileName))
                continue;
            ++count;
            bytes += ((unsigned long long)found.nFileSizeHigh << 32) | found.nFileSizeLow;
            // The names begin with the run's date and time, so the smallest is the oldest.
            if (strcmp(found.cFileName, keep) != 0 && strcmp(found.cFileName, passed) > 0 &&
                (oldest[0] == '\0' || strcmp(found.cFileName, oldest) < 0))
                memcpy(oldest, found.cFileName, sizeof oldest);
        } while (FindNextFileA(find, &found));
        FindClose(find);
        if ((count <= PICTURE_KEEP_FILES && bytes <= PICTURE_KEEP_BYTES) || oldest[0] == '\0' ||
            !format_text(path, sizeof path, "%s\\%s", folder, oldest))
            return;
        if (!DeleteFileA(path))
            memcpy(passed, oldest, sizeof passed);
    }
}

static void tell_failure(picture_outcome outcome, const char *call, unsigned long error)
{
    if (failure_told)
        return;
    failure_told = true;
    const char *reason = outcome == PICTURE_NOT_ENCODED ? "系统的图片编码器（GDI+）出错"
                                                        : write_failure_reason(error);
    printf("无法保存画面到桌面的" PICTURE_FOLDER "文件夹：%s（%s 错误 %lu），不影响进入直播间\n",
           reason, call, error);
    char note[TEXT_SIZE];
    if (format_text(note, sizeof note, "画面未能保存：%s（%s 错误 %lu），没有留下图片", reason,
                    call, error))
        journal_note(note);
}

// This run's picture for its outcome into the folder; folder and file (TEXT_SIZE bytes
// each) get the folder's path and the picture's name in it.
static picture_outcome save_picture(bool joined, char *folder, char *file)
{
    char name[TEXT_SIZE];
    char path[TEXT_SIZE];
    if (!format_picture_name(name, sizeof name, journal_run_stamp(), joined) ||
        !desktop_file_path(folder, TEXT_SIZE, PICTURE_FOLDER) ||
        !desktop_file_path(path, sizeof path, name) ||
        !format_text(file, TEXT_SIZE, "%s", name + sizeof PICTURE_FOLDER)) {
        tell_failure(PICTURE_NOT_SAVED, "format_text", ERROR_FILENAME_EXCED_RANGE);
        return PICTURE_NOT_SAVED;
    }
    if (!CreateDirectoryA(folder, NULL) && GetLastError() != ERROR_ALREADY_EXISTS) {
        tell_failure(PICTURE_NOT_SAVED, "CreateDirectoryA", GetLastError());
        return PICTURE_NOT_SAVED;
    }
    const char *call = "";
    unsigned long error = 0;
    const picture_outcome outcome = save_screen_picture(path, &call, &error);
    if (outcome == PICTURE_NOT_SAVED || outcome == PICTURE_NOT_ENCODED)
        tell_failure(outcome, call, error);
    return outcome;
}

void refresh_waiting_picture()
{
    if (waiting_taken && GetTickCount() - waiting_taken_at < WAITING_REFRESH_MS)
        return;
    char folder[TEXT_SIZE];
    char file[TEXT_SIZE];
    const picture_outcome outcome = save_picture(false, folder, file);
    // A screen that cannot be read now (locked) is tried again at the next miss, so that
    // the run's view is there as soon as it can be had; it is told once.
    if (outcome == PICTURE_UNREADABLE) {
        if (!unreadable_told)
            journal_note("屏幕无法读取（已锁定或显示着安全桌面），这时没有保存画面");
        unreadable_told = true;
        return;
    }
    waiting_taken = true;
    waiting_taken_at = GetTickCount();
    if (outcome == PICTURE_SAVED)
        keep_newest_pictures(folder, file);
}

bool joined_picture_name(char *name, size_t size)
{
    return format_picture_name(name, size, journal_run_stamp(), true);
}

picture_outcome save_joined_picture()
{
    char folder[TEXT_SIZE];
    char file[TEXT_SIZE];
    const picture_outcome outcome = save_picture(true, folder, file);
    // The waiting picture would say the run never got in; gone before the budget is
    // counted, so that the run's own picture counts once.
    char waiting[TEXT_SIZE];
    char path[TEXT_SIZE];
    if (format_picture_name(waiting, sizeof waiting, journal_run_stamp(), false) &&
        desktop_file_path(path, sizeof path, waiting))
        DeleteFileA(path);
    if (outcome == PICTURE_SAVED)
        keep_newest_pictures(folder, file);
    return outcome;
}
