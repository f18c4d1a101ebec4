#include "journal/journal_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

const log_time WHEN = {2026, 12, 10, 8, 45, 2};

TEST(StartWay, ParentImageNames)
{
    const struct {
        const char *image;
        start_way way;
    } rows[] = {
        {"svchost.exe", STARTED_BY_TASK},     {"TASKENG.EXE", STARTED_BY_TASK},
        {"taskhostw.exe", STARTED_BY_TASK},   {"Explorer.EXE", STARTED_BY_EXPLORER},
        {"cmd.exe", STARTED_BY_CONSOLE},      {"powershell.exe", STARTED_BY_CONSOLE},
        {"pwsh.exe", STARTED_BY_CONSOLE},     {"svchost.exe.bak", STARTED_BY_OTHER},
        {"explorer", STARTED_BY_OTHER},       {"", STARTED_UNKNOWN},
        {nullptr, STARTED_UNKNOWN},
    };
    for (const auto &row : rows)
        EXPECT_EQ(start_way_of(row.image), row.way) << (row.image ? row.image : "NULL");
}

TEST(JournalLines, ExactText)
{
    char line[JOURNAL_LINE_SIZE];
    const struct {
        start_way way;
        const char *parent;
        const char *text;
    } starts[] = {
        {STARTED_BY_TASK, "svchost.exe", "由任务计划程序启动"},
        {STARTED_BY_EXPLORER, "explorer.exe", "由开机自启动或双击启动"},
        {STARTED_BY_CONSOLE, "cmd.exe", "从命令提示符启动"},
        {STARTED_BY_OTHER, "helper.exe", "由 helper.exe 启动"},
        {STARTED_UNKNOWN, "", "启动方式不明"},
    };
    // The start line, and the one line of a run refused while another one scans.
    for (const auto &row : starts) {
        ASSERT_TRUE(format_start_line(line, sizeof line, &WHEN, row.way, row.parent));
        EXPECT_EQ(std::string(line), std::string("2026-12-10 08:45:02 开始（") + row.text +
                                         "）。这次之后没有“结果：已进入直播间”一行，就是没有进入直播间\r\n");
        ASSERT_TRUE(format_refused_line(line, sizeof line, &WHEN, row.way, row.parent));
        EXPECT_EQ(std::string(line),
                  std::string("2026-12-10 08:45:02 这次没有检查（") + row.text +
                      "）：另一次运行正在检查并移动鼠标，两次不能同时进行；那一次照常进行\r\n");
    }

    const joined_point points[] = {
        {"214,109 255,146,62", 1, false, "上课画面\\2026-12-10 08-45-02 已进入直播间.bmp", false},
        {"1000,700 1,1,1", 2, true, nullptr, true},
        {"1000,700 1,1,1", 2, true, nullptr, false},
    };
    const char *joined[] = {
        "2026-12-10 08:45:02 结果：已进入直播间。点击的是 214,109 255,146,62（自带坐标点的第 1 个）。"
        "画面：上课画面\\2026-12-10 08-45-02 已进入直播间.bmp\r\n",
        "2026-12-10 08:45:02 结果：已进入直播间。点击的是 1000,700 1,1,1（自定义RGB.txt 中的这一行）。"
        "屏幕无法读取（已锁定或显示着安全桌面），没有保存画面\r\n",
        "2026-12-10 08:45:02 结果：已进入直播间。点击的是 1000,700 1,1,1（自定义RGB.txt 中的这一行）。"
        "画面未能保存\r\n",
    };
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(format_joined_line(line, sizeof line, &WHEN, &points[i]));
        EXPECT_STREQ(line, joined[i]);
    }

    ASSERT_TRUE(format_failed_line(line, sizeof line, &WHEN, "未找到钉钉进程", true));
    EXPECT_STREQ(line, "2026-12-10 08:45:02 结果：没有进入直播间，原因：未找到钉钉进程"
                       "（Quorvane.log 中有同样的记录）\r\n");
    ASSERT_TRUE(format_failed_line(line, sizeof line, &WHEN, "打开注册表失败", false));
    EXPECT_STREQ(line, "2026-12-10 08:45:02 结果：没有进入直播间，原因：打开注册表失败"
                       "（Quorvane.log 打不开，这条原因没有记在里面）\r\n");
    // A stopped run's line opens with that run's own start, and says when it was written.
    ASSERT_TRUE(format_stopped_line(line, sizeof line, "2026-12-10 07:00:00", &WHEN, nullptr));
    EXPECT_STREQ(line, "2026-12-10 07:00:00 结果：没有进入直播间。这次运行在进入之前被停止了（窗口被关闭、"
                       "超过任务的时限、被任务的下一次启动停止，或关机）。没有留下画面"
                       "（下一次运行在 2026-12-10 08:45:02 补记）\r\n");
    ASSERT_TRUE(format_stopped_line(line, sizeof line, "2026-12-10 07:00:00", &WHEN,
                                    "上课画面\\2026-12-10 07-00-00 未进入直播间.bmp"));
    EXPECT_STREQ(line, "2026-12-10 07:00:00 结果：没有进入直播间。这次运行在进入之前被停止了（窗口被关闭、"
                       "超过任务的时限、被任务的下一次启动停止，或关机）。最后的画面：上课画面\\"
                       "2026-12-10 07-00-00 未进入直播间.bmp（下一次运行在 2026-12-10 08:45:02 补记）\r\n");
    ASSERT_TRUE(format_note_line(line, sizeof line, &WHEN, "屏幕无法读取"));
    EXPECT_STREQ(line, "2026-12-10 08:45:02 提示：屏幕无法读取\r\n");

    // A line that does not fit is not written at all.
    char small[40];
    EXPECT_FALSE(format_failed_line(small, sizeof small, &WHEN, "未找到钉钉进程", true));
    EXPECT_STREQ(small, "");
}

#define START "2026-12-10 08:45:02 开始（由任务计划程序启动）。这次之后没有“结果：已进入直播间”一行，就是没有进入直播间\r\n"
#define STOPPED "2026-12-10 08:45:02 结果：没有进入直播间。这次运行在进入之前被停止了（…）\r\n"
#define REFUSED "2026-12-10 08:45:03 这次没有检查（由任务计划程序启动）：另一次运行正在检查并移动鼠标…\r\n"
#define END "2026-12-10 08:46:00 结果：已进入直播间。\r\n"
#define NOTE "2026-12-10 08:55:00 提示：屏幕无法读取\r\n"

TEST(LastRunUnfinished, Table)
{
    const struct {
        std::string journal;
        const char *started; // nullptr: finished, or nothing to tell
    } rows[] = {
        {"", nullptr},
        {START, "2026-12-10 08:45:02"},
        {START END, nullptr},
        {START NOTE, "2026-12-10 08:45:02"},
        // A refused run's line says nothing of the scanning one; a stopped one's ends it.
        {START REFUSED, "2026-12-10 08:45:02"},
        {START STOPPED, nullptr},
        {START STOPPED REFUSED, nullptr},
        // The journal of the versions before: its start lines still count.
        {"2026-12-10 08:45:02 开始（由任务计划程序启动），还没有进入直播间\r\n", "2026-12-10 08:45:02"},
        {START NOTE "\r\n\r\n", "2026-12-10 08:45:02"},
        {START END "2026-12-11 08:45:02 开始（启动方式不明），还没有进入直播间", "2026-12-11 08:45:02"},
        {START "妈妈：今天请假\r\n", "2026-12-10 08:45:02"},
        {END "妈妈：今天请假\r\n", nullptr},
        {"妈妈：今天请假\r\n", nullptr},
        // A last line shorter than a stamp, or no more than one.
        {START "x", "2026-12-10 08:45:02"},
        {START END "2026-12-10", nullptr},
        {"2026-12-10 08:45:0", nullptr},
        {"x", nullptr},
        // A stamp that is not one, or a start word the program never writes.
        {"2026-12-1x 08:45:02 开始（…\r\n", nullptr},
        {"2026-12-10 08:45:02 开始了\r\n", nullptr},
    };
    for (const auto &row : rows) {
        char started[STAMP_LENGTH + 1] = "untouched";
        const bool unfinished = last_run_unfinished(row.journal.data(), row.journal.size(), started);
        EXPECT_EQ(unfinished, row.started != nullptr) << row.journal;
        if (row.started != nullptr) {
            EXPECT_STREQ(started, row.started) << row.journal;
        }
    }
}

// The journal after adding, from a journal of lines of the given lengths.
std::string append(const std::string &old, bool partial, const std::string &added)
{
    static char buffer[JOURNAL_BOUND];
    memcpy(buffer, old.data(), old.size());
    const size_t size = journal_append(buffer, old.size(), partial, added.data(), added.size());
    EXPECT_LE(size, (size_t)JOURNAL_BOUND);
    return std::string(buffer, size);
}

std::string lines(int first, int count, size_t length)
{
    std::string out;
    for (int i = first; i < first + count; ++i) {
        std::string line = std::to_string(i) + " ";
        line.resize(length - 2, 'x');
        out += line + "\r\n";
    }
    return out;
}

TEST(JournalAppend, Table)
{
    const std::string run = START END;
    const struct {
        const char *what;
        std::string old;
        bool partial;
        std::string added;
        std::string journal;
    } rows[] = {
        {"new", "", false, START, START},
        {"below both bounds", lines(0, 10, 50), false, run, lines(0, 10, 50) + run},
        {"lines: the oldest go", lines(0, 200, 50), false, run, lines(2, 198, 50) + run},
        {"bytes: the oldest go", lines(0, 130, 500), false, run,
         lines(130 - (JOURNAL_BOUND - (int)run.size()) / 500, (JOURNAL_BOUND - (int)run.size()) / 500,
               500) + run},
        {"a tail read inside a line", "x\r\n" + lines(1, 3, 50), true, run, lines(1, 3, 50) + run},
        {"a tail of one unended line", "xxxx", true, run, run},
        {"a last line without its end", "妈妈：今天请假", false, run, "妈妈：今天请假\r\n" + run},
        // Near the bound with a last line left open: its line end counts in the bound.
        // With the open line's end the old would be one byte over: its first line goes.
        {"near the bound, last line open",
         std::string(JOURNAL_BOUND + 1 - 100 * 500 - 6 - run.size() - 2, 'f') + "\r\n" +
             lines(0, 100, 500) + "tail",
         false, run, lines(0, 100, 500) + "tail\r\n" + run},
        {"a last line shorter than a stamp", "12", false, run, "12\r\n" + run},
        // The added lines are kept whole, whatever they leave of the old.
        {"added alone fills it", lines(0, 5, 50), false, lines(7, 200, 50), lines(7, 200, 50)},
    };
    for (const auto &row : rows) {
        const std::string journal = append(row.old, row.partial, row.added);
        EXPECT_EQ(journal, row.journal) << row.what;
        EXPECT_LE(std::count(journal.begin(), journal.end(), '\n'), JOURNAL_LINES) << row.what;
    }
}

} // namespace
