#include "client/client.h"

#include "app/error_log.h"
#include "client/client_ids.h"
#include "client/client_wait.h"

#include <stdio.h>
#include <windows.h>

static void sleep_ms(unsigned long milliseconds)
{
    Sleep(milliseconds);
}

static bool find_client_window(void *found)
{
    *(HWND *)found = FindWindowA(NULL, CLIENT_WINDOW_TITLE);
    return *(HWND *)found != NULL;
}

static bool client_process_running(void *)
{
    return process_running(CLIENT_IMAGE_NAME);
}

// Where the probe points expect it, and in sight: a minimised window shows nothing, and
// one lying under another window shows that window's pixels. Raised, never topmost, so
// that the user can still put another window over it.
static void place_client_window(HWND window)
{
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    MoveWindow(window, CLIENT_LEFT, CLIENT_TOP, CLIENT_WIDTH, CLIENT_HEIGHT, TRUE);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // Windows may refuse a background process the foreground; the raise above stands.
    SetForegroundWindow(window);
}

void prepare_client(bool verbose)
{
    launch_client();
    Sleep(3000);

    HWND window = NULL;
    if (!wait_for_client(find_client_window, &window, CLIENT_LOOKS, CLIENT_LOOK_PAUSE_MS,
                         sleep_ms)) {
        log_error_and_exit("获取钉钉窗口句柄失败！");
    }
    if (verbose)
        printf("获取钉钉窗口句柄成功\n");

    if (!wait_for_client(client_process_running, NULL, CLIENT_LOOKS, CLIENT_LOOK_PAUSE_MS,
                         sleep_ms)) {
        log_error_and_exit("未找到钉钉进程");
    }
    if (verbose)
        printf("找到钉钉进程\n");

    place_client_window(window);
    if (verbose)
        printf("移动钉钉窗口到左上角\n");
}
