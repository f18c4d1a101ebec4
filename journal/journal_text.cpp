#include "journal/journal_text.h"

#include "support/text.h"

#include <string.h>

static const char END_WORD[] = "结果：";
static const char START_WORD[] = "开始（";

// Compared without the C library's locale: an image name is ASCII.
static bool same_name(const char *a, const char *b)
{
    for (;; ++a, ++b) {
        const char x = *a >= 'A' && *a <= 'Z' ? (char)(*a - 'A' + 'a') : *a;
        const char y = *b >= 'A' && *b <= 'Z' ? (char)(*b - 'A' + 'a') : *b;
        if (x != y)
            return false;
        if (x == '\0')
            return true;
    }
}

start_way start_way_of(const char *parent_image)
{
    if (parent_image == NULL || parent_image[0] == '\0')
        return STARTED_UNKNOWN;
    // Task Scheduler starts a task's program from its service host (taskeng.exe before
    // Windows 8); explorer.exe starts the Run entries at logon and what is double-clicked.
    static const struct {
        const char *image;
        start_way way;
    } WAYS[] = {
        {"svchost.exe", STARTED_BY_TASK},       {"taskeng.exe", STARTED_BY_TASK},
        {"taskhostw.exe", STARTED_BY_TASK},     {"explorer.exe", STARTED_BY_EXPLORER},
        {"cmd.exe", STARTED_BY_CONSOLE},        {"powershell.exe", STARTED_BY_CONSOLE},
        {"pwsh.exe", STARTED_BY_CONSOLE},
    };
    start_way way = STARTED_BY_OTHER;
    for (const auto &known : WAYS) {
        if (way == STARTED_BY_OTHER && same_name(parent_image, known.image))
            way = known.way;
    }
    return way;
}

bool format_journal_stamp(char *out, size_t size, const log_time *when)
{
    return format_text(out, size, "%04d-%02d-%02d %02d:%02d:%02d", when->year, when->month,
                       when->day, when->hour, when->minute, when->second);
}

// The line's opening, "2026-12-10 08:45:02 ", into out.
static bool format_stamp(char *out, size_t size, const log_time *when)
{
    return format_journal_stamp(out, size, when) && append_text(out, size, " ");
}

// Appends each part to out in turn; false, with out empty, when they do not all fit.
static bool append_all(char *out, size_t size, const char *const *parts, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (!append_text(out, size, parts[i])) {
            out[0] = '\0';
            return false;
        }
    }
    return true;
}

// "由任务计划程序启动", how the run was started, into how.
static bool format_start_way(char *how, size_t size, start_way way, const char *parent)
{
    switch (way) {
    case STARTED_BY_TASK:
        return format_text(how, size, "由任务计划程序启动");
    case STARTED_BY_EXPLORER:
        return format_text(how, size, "由开机自启动或双击启动");
    case STARTED_BY_CONSOLE:
        return format_text(how, size, "从命令提示符启动");
    case STARTED_BY_OTHER:
        return format_text(how, size, "由 %s 启动", parent);
    case STARTED_UNKNOWN:
        break;
    }
    return format_text(how, size, "启动方式不明");
}

// "<stamp> <opening><how the run was started><closing>".
static bool format_way_line(char *out, size_t size, const log_time *when, const char *opening,
                            start_way way, const char *parent, const char *closing)
{
    char how[96];
    const char *const parts[] = {opening, how, closing};
    return format_start_way(how, sizeof how, way, parent) && format_stamp(out, size, when) &&
           append_all(out, size, parts, 3);
}

bool format_start_line(char *out, size_t size, const log_time *when, start_way way,
                       const char *parent)
{
    return format_way_line(out, size, when, START_WORD, way, parent,
                           "）。这次之后没有“结果：已进入直播间”一行，就是没有进入直播间\r\n");
}

bool format_refused_line(char *out, size_t size, const log_time *when, start_way way,
                         const char *parent)
{
    return format_way_line(out, size, when, "这次没有检查（", way, parent,
                           "）：另一次运行正在检查并移动鼠标，两次不能同时进行；那一次照常进行\r\n");
}

bool format_joined_line(char *out, size_t size, const log_time *when, const joined_point *point)
{
    char source[64];
    if (point->own_file)
        format_text(source, sizeof source, "自定义RGB.txt 中的这一行");
    else if (!format_text(source, sizeof source, "自带坐标点的第 %d 个", point->line_number))
        return false;
    const char *const parts[] = {
        END_WORD, "已进入直播间。点击的是 ", point->line, "（", source, "）。",
        point->picture != NULL ? "画面：" : point->unreadable
                                              ? "屏幕无法读取（已锁定或显示着安全桌面），没有保存画面"
                                              : "画面未能保存",
        point->picture != NULL ? point->picture : "", "\r\n"};
    return format_stamp(out, size, when) && append_all(out, size, parts, 9);
}

bool format_failed_line(char *out, size_t size, const log_time *when, const char *reason,
                        bool logged)
{
    const char *const parts[] = {END_WORD, "没有进入直播间，原因：", reason,
                                 logged ? "（Quorvane.log 中有同样的记录）\r\n"
                                        : "（Quorvane.log 打不开，这条原因没有记在里面）\r\n"};
    return format_stamp(out, size, when) && append_all(out, size, parts, 4);
}

bool format_note_line(char *out, size_t size, const log_time *when, const char *note)
{
    const char *const parts[] = {"提示：", note, "\r\n"};
    return format_stamp(out, size, when) && append_all(out, size, parts, 3);
}

bool format_stopped_line(char *out, size_t size, const char *started, const log_time *when,
                         const char *picture)
{
    char written[STAMP_LENGTH + 1];
    const char *const parts[] = {
        started, " ", END_WORD,
        "没有进入直播间。这次运行在进入之前被停止了（窗口被关闭、超过任务的时限、被任务的下一次启动停止，或关机）。",
        picture != NULL ? "最后的画面：" : "没有留下画面", picture != NULL ? picture : "",
        "（下一次运行在 ", written, " 补记）\r\n"};
    out[0] = '\0';
    return format_journal_stamp(written, sizeof written, when) && append_all(out, size, parts, 9);
}

// True when line (length bytes) opens with a stamp "dddd-dd-dd dd:dd:dd ".
static bool has_stamp(const char *line, size_t length)
{
    static const char SHAPE[] = "dddd-dd-dd dd:dd:dd ";
    if (length < sizeof SHAPE - 1)
        return false;
    for (size_t i = 0; i < sizeof SHAPE - 1; ++i) {
        const bool digit = line[i] >= '0' && line[i] <= '9';
        if (SHAPE[i] == 'd' ? !digit : line[i] != SHAPE[i])
            return false;
    }
    return true;
}

static bool word_after_stamp(const char *line, size_t length, const char *word)
{
    const size_t n = strlen(word);
    return has_stamp(line, length) && length >= STAMP_LENGTH + 1 + n &&
           memcmp(line + STAMP_LENGTH + 1, word, n) == 0;
}

bool last_run_unfinished(const char *journal, size_t size, char *started)
{
    // From the last line back to the run's start line; any end line first means done.
    size_t end = size;
    while (end > 0) {
        size_t begin = end;
        while (begin > 0 && journal[begin - 1] != '\n')
            --begin;
        const char *line = journal + begin;
        const size_t length = end - begin;
        end = begin > 0 ? begin - 1 : 0;
        if (!has_stamp(line, length))
            continue; // an empty line, or one the user wrote
        if (word_after_stamp(line, length, END_WORD))
            return false;
        if (word_after_stamp(line, length, START_WORD)) {
            memcpy(started, line, STAMP_LENGTH);
            started[STAMP_LENGTH] = '\0';
            return true;
        }
        if (begin == 0)
            break;
    }
    return false;
}

size_t journal_append(char *buffer, size_t size, bool partial, const char *added,
                      size_t added_size)
{
    size_t drop = 0;
    if (partial) {
        while (drop < size && buffer[drop] != '\n')
            ++drop;
        drop = drop < size ? drop + 1 : size;
    }
    size_t lines = 0;
    for (size_t i = drop; i < size; ++i)
        lines += buffer[i] == '\n';
    const bool open_end = size > drop && buffer[size - 1] != '\n';
    lines += open_end;
    for (size_t i = 0; i < added_size; ++i)
        lines += added[i] == '\n';
    // Whole lines go from the front until both bounds hold; the added lines always stay.
    size_t kept = size - drop;
    size_t end_bytes = open_end ? 2 : 0;
    while (kept > 0 && (lines > JOURNAL_LINES || kept + end_bytes + added_size > JOURNAL_BOUND)) {
        while (drop < size && buffer[drop] != '\n')
            ++drop;
        drop = drop < size ? drop + 1 : size;
        kept = size - drop;
        --lines;
        if (kept == 0)
            end_bytes = 0;
    }
    memmove(buffer, buffer + drop, kept);
    if (kept > 0 && end_bytes > 0) {
        memcpy(buffer + kept, "\r\n", 2);
        kept += 2;
    }
    memcpy(buffer + kept, added, added_size);
    return kept + added_size;
}
