// Quorvane: starts the DingTalk client, places its window and clicks into the live
// broadcast once the entry shows. The command words help set it up.
#include "client/client.h"
#include "journal/journal.h"
#include "journal/picture.h"
#include "probe/probe_file.h"
#include "probe/probe_list.h"
#include "probe/probe_walk.h"
#include "probe/readout.h"
#include "probe/scan.h"
#include "setup/autostart.h"
#include "setup/probe_template.h"
#include "support/buffers.h"
#include "support/console.h"
#include "support/desktop_paths.h"
#include "support/run_claim.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

static const char USAGE[] = "命令：Quorvane.exe  <参数（可选）>\n"
                            "参数：\n"
                            "1、无参数 （启动钉钉进入直播间）\n"
                            "2、xy    （显示鼠标坐标和颜色）\n"
                            "3、add    （添加自启动）\n"
                            "4、del    （删除自启动）\n"
                            "5、cre    （创建自定义RGB文件模板）\n"
                            "\n";

// Both desktop paths, or a message and the end: a cut path would name another file.
static void derive_desktop_paths()
{
    char desktop[TEXT_SIZE];
    if (!desktop_folder(desktop)) {
        printf("无法获取桌面文件夹的路径\n");
        pause_and_exit(1);
    }
    if (!format_text(log_path, TEXT_SIZE, "%s\\Quorvane.log", desktop) ||
        !format_text(probe_file_path, TEXT_SIZE, "%s\\" PROBE_FILE_NAME, desktop)) {
        printf("桌面文件夹的路径过长，无法在其中存放日志和自定义RGB文件：%s\n", desktop);
        pause_and_exit(1);
    }
}

static void run_command_word(const char *word)
{
    if (strcmp(word, "xy") == 0)
        show_cursor_colour();
    if (strcmp(word, "add") == 0)
        add_autostart();
    if (strcmp(word, "del") == 0)
        remove_autostart();
    if (strcmp(word, "cre") == 0)
        write_probe_template();
}

// Started below normal priority (a task made with the basic-task wizard has priority 7),
// the run would pass that class on to the client it starts, and the live class's video
// would run below normal on a busy notebook.
static void run_at_normal_priority()
{
    const DWORD priority = GetPriorityClass(GetCurrentProcess());
    if (priority == IDLE_PRIORITY_CLASS || priority == BELOW_NORMAL_PRIORITY_CLASS)
        SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
}

// The live room takes a moment to open after the click; the picture is taken then,
// within the run's last ten seconds.
static const DWORD ROOM_PICTURE_MS = 5000;
static const DWORD END_WAIT_MS = 10000;

// Another run is scanning: a second scanner would move the same cursor on a beat of its
// own. Says so where a parent and a double-clicker look, and ends.
[[noreturn]] static void refuse_second_run()
{
    printf("%s，这次不再检查，以免两次同时移动鼠标；本窗口 10 秒后关闭\n", RUN_SCANNING);
    journal_run_refused();
    Sleep(END_WAIT_MS);
    exit(RUN_REFUSED_STATUS);
}

// The joined line goes in at once, naming the picture that will follow: a run closed or
// killed in its last seconds is then never written up as stopped.
static bool tell_joined(const probe_match *match, bool own_probes, const char *picture,
                        bool unreadable)
{
    const joined_point point = {match->line, match->line_number, own_probes, picture,
                                unreadable};
    return journal_run_joined(&point);
}

int main(int argc, char **argv)
{
    // Everything we print must reach the console before the interpreter's own output.
#if defined(__MINGW32__) && !defined(_WIN64)
    // msvcrt's stdout itself: MinGW's stdout goes through a helper of its own, which takes
    // a data section of the exe for one pointer.
    setvbuf(&(*__MINGW_IMP_SYMBOL(_iob))[1], NULL, _IONBF, 0);
#else
    setvbuf(stdout, NULL, _IONBF, 0);
#endif
    system("title Quorvane");
    printf("%s", USAGE);
    derive_desktop_paths();
    if (argc == 2)
        run_command_word(argv[1]);

    run_at_normal_priority();
    if (!claim_run())
        refuse_second_run();
    journal_run_start();
    prepare_client(true);
    load_probe_file();
    printf("自定义RGB文件路径： %s\n", probe_file_path);
    printf("钉钉路径%s\n", launch_command);
    printf("日志文件路径 %s\n", log_path);
    printf("自带RGB数据%s\n", builtin_probe_list);
    // A file with no usable line would leave nothing to probe.
    const bool own_probes = has_probe_line(probe_text);
    // The file as read (decoded, left-out lines gone), to set beside each probe's line.
    if (own_probes)
        printf("程序使用自定义RGB.txt中的坐标点，读到的内容是：\n%s", probe_text);
    const char *probes = own_probes ? probe_text : builtin_probe_list;
    size_t at = 0;
    probe_match match;
    while (!probe_and_click(probes, &at, &match)) {
        // The picture's time comes out of the pause, not on top of it.
        const unsigned long missed_at = GetTickCount();
        refresh_waiting_picture();
        pause_after_miss(missed_at);
    }
    printf("完成\n");
    const DWORD clicked = GetTickCount();
    char picture[TEXT_SIZE];
    const bool named = joined_picture_name(picture, sizeof picture);
    const bool told = tell_joined(&match, own_probes, named ? picture : NULL, false);
    Sleep(ROOM_PICTURE_MS);
    const picture_outcome outcome = save_joined_picture();
    // A line that could not be written gets one more try, with what came of the picture.
    if (!told)
        tell_joined(&match, own_probes, outcome == PICTURE_SAVED ? picture : NULL,
                    outcome == PICTURE_UNREADABLE);
    else if (outcome == PICTURE_UNREADABLE)
        journal_note("屏幕无法读取（已锁定或显示着安全桌面），进入直播间后没有保存画面");
    const DWORD spent = GetTickCount() - clicked;
    Sleep(spent < END_WAIT_MS ? END_WAIT_MS - spent : 0);
    return 0;
}
