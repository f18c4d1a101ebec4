#include "probe/record_key.h"

#include "client/client_ids.h"
#include "probe/colour_sample.h"
#include "probe/probe_file.h"
#include "probe/probe_line.h"
#include "probe/record_text.h"
#include "support/buffers.h"
#include "support/file_replace.h"
#include "support/run_claim.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

static const int RECORD_KEY_ID = 1;

struct key_combination {
    UINT modifiers;
    const char *name;
};

// The second one where another program holds the first: the same letter, one more key.
static const key_combination RECORD_KEYS[] = {
    {MOD_CONTROL | MOD_ALT, "Ctrl+Alt+R"},
    {MOD_CONTROL | MOD_ALT | MOD_SHIFT, "Ctrl+Alt+Shift+R"},
};

// How every refusal for the file's size ends.
static const char DELETE_LINES[] = "，未记录；请在记事本中删除不用的行后再按一次\n";

// Long enough for the client to paint a button as it is without the cursor on it.
static const DWORD REPAINT_MS = 600;

static bool register_key(const key_combination &key)
{
    // A key held down would record again and again; Windows before 7 lacks MOD_NOREPEAT.
    return RegisterHotKey(NULL, RECORD_KEY_ID, key.modifiers | MOD_NOREPEAT, 'R') ||
           (GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED &&
            RegisterHotKey(NULL, RECORD_KEY_ID, key.modifiers, 'R'));
}

void register_record_key()
{
    for (const key_combination &key : RECORD_KEYS) {
        if (register_key(key)) {
            printf("按 %s 把鼠标所指的点记录到桌面的自定义RGB.txt（写在最前面，运行时最先检查）\n",
                   key.name);
            return;
        }
        if (GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED)
            printf("%s 已被其他程序占用\n", key.name);
        else
            printf("%s 无法使用（RegisterHotKey 错误 %lu）\n", key.name, GetLastError());
    }
    printf("无法用按键记录坐标点，坐标和颜色照常显示\n");
}

// Writes the lines first in the probe file and says what came of it; true when the
// lines are in the file.
static bool write_recorded_lines(const char *lines)
{
    probe_file_bytes old;
    const probe_file_state state = read_probe_file(&old);
    if (state == PROBE_FILE_UNREADABLE) {
        printf("无法读取自定义RGB文件，未记录\n");
        return false;
    }
    recorded_file out;
    switch (build_recorded_file(old.bytes, old.size, old.whole, lines, &out)) {
    case RECORD_ALREADY_THERE:
        printf("自定义RGB文件中已有这一点，未重复记录：\n%s", lines);
        return true;
    case RECORD_FILE_TOO_LARGE:
        printf("自定义RGB文件大于%d字节%s", PROBE_FILE_BOUND, DELETE_LINES);
        return false;
    case RECORD_NO_ROOM:
        printf("自定义RGB文件中运行时读取的内容最多%d字节，只剩%d字节，这次要写%d字节%s",
               TEXT_SIZE - 1, out.room, out.need, DELETE_LINES);
        return false;
    case RECORD_FILE_FULL:
        printf("自定义RGB文件最多读取%d字节，只剩%d字节，这次要写%d字节%s", PROBE_FILE_BOUND,
               out.room, out.need, DELETE_LINES);
        return false;
    case RECORD_NOT_PROBED:
        printf("这一点的坐标行超过%d字节，运行时不会检查它，未记录\n", MAX_LINE_CHARS);
        return false;
    case RECORD_MADE:
        break;
    }
    const char *call = "";
    const unsigned long error = replace_file(probe_file_path, out.bytes, out.size, NULL, 0, &call);
    if (error != 0) {
        printf("写入自定义RGB文件失败：%s（%s 错误 %lu），文件保持原样，未记录\n",
               write_failure_reason(error), call, error);
        return false;
    }
    printf("已写在桌面的自定义RGB.txt的最前面，运行时最先检查：\n%s", lines);
    if (lines[strcspn(lines, "\n") + 1] != '\0')
        printf("第2行是鼠标停在该点上时的颜色（按钮被鼠标点亮），两行都要保留\n");
    if (out.first_probes)
        printf("从现在起程序只使用这个文件中的坐标点，不再使用自带的坐标点\n");
    printf("若已在记事本中打开此文件，请关闭后重新打开，不要保存旧窗口\n");
    return true;
}

// The point under the cursor, with the colour the scan reads there: the scan arrives
// from another point and reads at once, before a button lit by a resting cursor lights
// up. The colour at rest, where it differs, is the second line.
static void record_point()
{
    // Its cursor may stand on one of its probe points, not on the user's.
    if (run_claimed()) {
        printf("\n%s，未记录；请先结束它，再按一次\n", RUN_SCANNING);
        MessageBeep(MB_ICONHAND);
        return;
    }
    POINT at = {0, 0};
    GetCursorPos(&at);
    const unsigned long rest = colour_under_cursor();
    // Away from the client's window, so that none of its buttons stays lit meanwhile, and
    // on the screen: Windows would keep a point beyond it on its edge, maybe on the button.
    long away_x = 0;
    long away_y = 0;
    record_away_point(at.x, at.y, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                      &away_x, &away_y);
    SetCursorPos(away_x, away_y);
    Sleep(REPAINT_MS);
    SetCursorPos(at.x, at.y);
    const unsigned long scan = colour_under_cursor();
    // The reading the key was pressed on stays above the record's lines.
    printf("\n");
    bool recorded = false;
    char lines[2 * 40];
    if (rest == UNREADABLE_COLOUR || scan == UNREADABLE_COLOUR)
        printf("无法读取该点颜色，未记录\n");
    else if (!format_recorded_lines(lines, sizeof lines, at.x, at.y, scan, rest))
        printf("坐标过长，未记录\n");
    else
        recorded = write_recorded_lines(lines);
    if (recorded && (at.x < CLIENT_LEFT || at.x >= CLIENT_LEFT + CLIENT_WIDTH || at.y < CLIENT_TOP ||
                     at.y >= CLIENT_TOP + CLIENT_HEIGHT))
        printf("这一点在钉钉窗口（%d,%d 到 %d,%d）之外\n",
               CLIENT_LEFT, CLIENT_TOP, CLIENT_LEFT + CLIENT_WIDTH - 1, CLIENT_TOP + CLIENT_HEIGHT - 1);
    // The console may lie under the client: the sound says how it went.
    MessageBeep(recorded ? MB_OK : MB_ICONHAND);
}

void wait_recording(unsigned long milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            if (message.message != WM_HOTKEY || message.wParam != RECORD_KEY_ID)
                continue;
            record_point();
            // Presses made while it recorded are one and the same point.
            while (PeekMessageA(&message, NULL, WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) {
            }
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return;
        // Wakes at once for a key press; only input new since the last look wakes it.
        MsgWaitForMultipleObjects(0, NULL, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}
