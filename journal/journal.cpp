#include "journal/journal.h"

#include "journal/picture_text.h"
#include "journal/start_way.h"
#include "support/clock.h"
#include "support/desktop_paths.h"
#include "support/file_replace.h"
#include "support/text.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

static const char JOURNAL_LOCK_NAME[] = "Local\\Quorvane.journal";
static const DWORD JOURNAL_LOCK_WAIT_MS = 5000;

static char run_stamp[STAMP_LENGTH + 1];
static bool failure_told; // one console line a run is enough

static void tell_failure(const char *reason, const char *call, unsigned long error)
{
    if (failure_told)
        return;
    failure_told = true;
    printf("无法写入桌面的" JOURNAL_NAME "：%s（%s 错误 %lu），不影响进入直播间\n", reason, call,
           error);
}

// Reads the journal's tail into buffer (room bytes at most); false when it exists but
// cannot be read, for then writing it would lose what it holds.
static bool read_journal(const char *path, char *buffer, size_t room, size_t *size,
                         bool *partial)
{
    *size = 0;
    *partial = false;
    // Another program may replace the file while it is read (an editor's save does).
    HANDLE file = CreateFileA(path, GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        const unsigned long error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return true;
        tell_failure(error == ERROR_SHARING_VIOLATION ? write_failure_reason(error) : "文件无法读取",
                     "CreateFileA", error);
        return false;
    }
    const DWORD length = GetFileSize(file, NULL);
    if (length != INVALID_FILE_SIZE && length > room) {
        SetFilePointer(file, -(LONG)room, NULL, FILE_END);
        *partial = true;
    }
    DWORD read = 0;
    const bool ok = length != INVALID_FILE_SIZE &&
                    ReadFile(file, buffer, length > room ? (DWORD)room : length, &read, NULL);
    const unsigned long error = GetLastError();
    CloseHandle(file);
    if (!ok) {
        tell_failure("文件无法读取", "ReadFile", error);
        return false;
    }
    *size = read;
    return true;
}

// write_lines with the lock held.
static bool write_locked(const char *path, const char *lines, bool start)
{
    char buffer[JOURNAL_BOUND];
    char added[2 * JOURNAL_LINE_SIZE] = "";
    size_t size = 0;
    bool partial = false;
    if (!read_journal(path, buffer, JOURNAL_BOUND - sizeof added - 2, &size, &partial))
        return false;
    char started[STAMP_LENGTH + 1];
    if (start && last_run_unfinished(buffer, size, started)) {
        // The picture that run left, if it is still there.
        char picture[TEXT_SIZE];
        char picture_path[TEXT_SIZE];
        const bool left = format_picture_name(picture, sizeof picture, started, false) &&
                          desktop_file_path(picture_path, sizeof picture_path, picture) &&
                          GetFileAttributesA(picture_path) != INVALID_FILE_ATTRIBUTES;
        log_time now;
        local_now(&now);
        format_stopped_line(added, JOURNAL_LINE_SIZE, started, &now, left ? picture : NULL);
    }
    if (!append_text(added, sizeof added, lines)) {
        tell_failure("记录过长", "format_text", ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    size = journal_append(buffer, size, partial, added, strlen(added));
    const char *call = "";
    const unsigned long error = replace_file(path, buffer, size, NULL, 0, &call);
    if (error != 0)
        tell_failure(write_failure_reason(error), call, error);
    return error == 0;
}

// Held from the journal's read to its replacement: a run that is refused writes its line
// while the scanning one may be writing its own, and one of the two would be lost.
static HANDLE journal_lock;

static bool lock_journal()
{
    journal_lock = CreateMutexA(NULL, FALSE, JOURNAL_LOCK_NAME);
    if (journal_lock == NULL)
        return false;
    const DWORD waited = WaitForSingleObject(journal_lock, JOURNAL_LOCK_WAIT_MS);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED)
        return true;
    CloseHandle(journal_lock);
    return false;
}

static void unlock_journal()
{
    ReleaseMutex(journal_lock);
    CloseHandle(journal_lock);
}

// Adds lines at the journal's end, the oldest lines going where it is full. With
// start, a run that never said how it ended gets its end line first. True when written.
static bool write_lines(const char *lines, bool start)
{
    char path[TEXT_SIZE];
    if (!desktop_file_path(path, sizeof path, JOURNAL_NAME)) {
        tell_failure("桌面文件夹的路径过长", "format_text", ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    if (!lock_journal()) {
        tell_failure("另一次运行正在写入", "WaitForSingleObject", WAIT_TIMEOUT);
        return false;
    }
    const bool written = write_locked(path, lines, start);
    unlock_journal();
    return written;
}

// Writes line where it could be made; one too long for its buffer is a failure too.
static bool write_made(bool made, const char *line, bool start)
{
    if (!made)
        tell_failure("记录过长", "format_text", ERROR_FILENAME_EXCED_RANGE);
    return made && write_lines(line, start);
}

// This run's first line: its start, or that it was refused.
static void write_first_line(bool refused)
{
    log_time now;
    local_now(&now);
    char parent[TEXT_SIZE];
    const start_way way = how_run_started(parent, sizeof parent);
    char line[JOURNAL_LINE_SIZE];
    write_made(refused ? format_refused_line(line, sizeof line, &now, way, parent)
                       : format_journal_stamp(run_stamp, sizeof run_stamp, &now) &&
                             format_start_line(line, sizeof line, &now, way, parent),
               line, !refused);
}

void journal_run_start()
{
    char desktop[TEXT_SIZE];
    if (desktop_folder(desktop))
        remove_leftovers(desktop, JOURNAL_NAME);
    write_first_line(false);
}

void journal_run_refused()
{
    write_first_line(true);
}

const char *journal_run_stamp()
{
    return run_stamp;
}

bool journal_run_joined(const joined_point *point)
{
    log_time now;
    local_now(&now);
    char line[JOURNAL_LINE_SIZE];
    return write_made(format_joined_line(line, sizeof line, &now, point), line, false);
}

void journal_run_failed(const char *reason, bool logged)
{
    if (run_stamp[0] == '\0')
        return;
    log_time now;
    local_now(&now);
    char line[JOURNAL_LINE_SIZE];
    write_made(format_failed_line(line, sizeof line, &now, reason, logged), line, false);
}

void journal_note(const char *note)
{
    log_time now;
    local_now(&now);
    char line[JOURNAL_LINE_SIZE];
    write_made(format_note_line(line, sizeof line, &now, note), line, false);
}
