// The lines of the class journal on the desktop, which a parent reads in Notepad: one
// line when a run starts, one when it ends. GBK with CR LF, each line beginning with the
// date and time of what it tells.
#ifndef QUORVANE_JOURNAL_JOURNAL_TEXT_H
#define QUORVANE_JOURNAL_JOURNAL_TEXT_H

#include "support/clock.h"

#include <stddef.h>

enum {
    JOURNAL_BOUND = 64 * 1024, // the journal's largest size in bytes
    JOURNAL_LINES = 200,       // and its most lines; the oldest go first
    JOURNAL_LINE_SIZE = 512,   // one line the program writes, with its terminator
    STAMP_LENGTH = 19          // "2026-12-10 08:45:02"
};

// How the run was started, told by the program that started it.
enum start_way {
    STARTED_BY_TASK,     // Task Scheduler
    STARTED_BY_EXPLORER, // an autostart entry at logon, or a double-click
    STARTED_BY_CONSOLE,  // typed in 命令提示符 or PowerShell
    STARTED_BY_OTHER,    // another program, named in the line
    STARTED_UNKNOWN      // the starting program is gone or cannot be seen
};

// "2026-12-10 08:45:02", which opens every line (STAMP_LENGTH + 1 bytes at least).
bool format_journal_stamp(char *out, size_t size, const log_time *when);

// The way for the image name of the parent process (letter case ignored); NULL: none.
start_way start_way_of(const char *parent_image);

// "2026-12-10 08:45:02 开始（由任务计划程序启动）。这次之后没有…就是没有进入直播间\r\n":
// a start line alone means the run did not get in. parent names the program for
// STARTED_BY_OTHER.
bool format_start_line(char *out, size_t size, const log_time *when, start_way way,
                       const char *parent);

// "… 这次没有检查（由…启动）：另一次运行正在检查…" for a run that found another one
// scanning and ended at once.
bool format_refused_line(char *out, size_t size, const log_time *when, start_way way,
                         const char *parent);

// Where the point that matched came from.
struct joined_point {
    const char *line;   // the probe line as the scan read it, without its '\n'
    int line_number;    // its number in the built-in list, first is 1
    bool own_file;      // from the user's probe file, not the built-in list
    const char *picture; // the picture's path under the desktop, or NULL
    bool unreadable;    // no picture: the screen could not be read
};

// "… 结果：已进入直播间，…" naming the point, its source and the picture.
bool format_joined_line(char *out, size_t size, const log_time *when, const joined_point *point);

// "… 结果：没有进入直播间，原因：<reason>" for a run that ends on a failure; logged: the
// error log has the same record (it could be opened).
bool format_failed_line(char *out, size_t size, const log_time *when, const char *reason,
                        bool logged);

// "… 提示：<note>" for what a run sees on the way (a screen that cannot be read).
bool format_note_line(char *out, size_t size, const log_time *when, const char *note);

// True when the journal's last line belongs to a run that never wrote its end (it was
// stopped from outside); then started holds that run's stamp (STAMP_LENGTH + 1 bytes).
bool last_run_unfinished(const char *journal, size_t size, char *started);

// For such a run: "<started> 结果：没有进入直播间。这次运行在进入之前被停止了…（下一次
// 运行在 <when> 补记）", with the picture it left (a path under the desktop), or NULL.
// It opens with that run's start, so that the journal reads in class order.
bool format_stopped_line(char *out, size_t size, const char *started, const log_time *when,
                         const char *picture);

// Adds the lines (added_size bytes, whole lines) after the journal in buffer, which
// holds size bytes of it and has room for JOURNAL_BOUND: the oldest lines go until at
// most JOURNAL_BOUND bytes and JOURNAL_LINES lines are left, whole lines only. partial:
// the buffer starts inside a line (only the file's tail was read), which goes too. A
// last line without its line end gets one. Returns the new size; the added lines are
// always kept (they must fit the bound).
size_t journal_append(char *buffer, size_t size, bool partial, const char *added,
                      size_t added_size);

#endif
