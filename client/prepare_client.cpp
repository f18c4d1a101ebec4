#include "client/client.h"

#include "app/error_log.h"
#include "client/client_ids.h"

#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

// The client may still be starting: this many checks, 3 s apart.
static const int PROCESS_CHECKS = 10;

void prepare_client(bool verbose)
{
    launch_client();
    Sleep(3000);

    HWND window = FindWindowA(NULL, CLIENT_WINDOW_TITLE);
    if (window == NULL) {
        log_error("获取钉钉窗口句柄失败！");
        exit(1);
    }
    if (verbose)
        printf("获取钉钉窗口句柄成功\n");

    for (int attempt = 1; !process_running(CLIENT_IMAGE_NAME); ++attempt) {
        Sleep(3000);
        if (attempt == PROCESS_CHECKS) {
            log_error("未找到钉钉进程");
            exit(1);
        }
    }
    if (verbose)
        printf("找到钉钉进程\n");

    MoveWindow(window, CLIENT_LEFT, CLIENT_TOP, CLIENT_WIDTH, CLIENT_HEIGHT, TRUE);
    if (verbose)
        printf("移动钉钉窗口到左上角\n");
}
