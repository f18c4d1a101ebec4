#include "setup/autostart.h"

#include "support/console.h"
#include "support/text.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

static const char RUN_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char RUN_VALUE[] = "Quorvane";

static const char ADD_FAILED[] =
    "添加失败！\n请以管理员权限运行本软件或\n把此软件添加到杀软白名单重试";
static const char REMOVE_FAILED[] =
    "删除失败！\n请以管理员权限运行本软件或\n把此软件添加到杀软白名单重试";

void add_autostart()
{
    char path[TEXT_SIZE] = {0};
    char value[TEXT_SIZE];
    // A cut path would start nothing at logon, so it is refused, not stored.
    const DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
    if (length == 0 || length >= sizeof path || !format_text(value, sizeof value, "\"%s\"", path)) {
        printf("添加失败！\n本程序所在路径过长（超过%d字节），请把本程序移到路径较短的文件夹后重试\n",
               TEXT_SIZE - 3);
        pause_and_exit(1);
    }
    // A fresh profile, or one tidied by a cleaner, may have no Run key yet.
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, RUN_KEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &key, NULL) == ERROR_SUCCESS) {
        const LONG set = RegSetValueExA(key, RUN_VALUE, 0, REG_SZ, (const BYTE *)value,
                                        (DWORD)strlen(value) + 1);
        RegCloseKey(key);
        if (set == ERROR_SUCCESS) {
            printf("添加成功！请勿删除本文件\n ");
            pause_and_exit(0);
        }
    }
    printf("%s", ADD_FAILED);
    pause_and_exit(1);
}

[[noreturn]] static void report_absent()
{
    printf("启动项不存在\n");
    pause_and_exit(1);
}

void remove_autostart()
{
    HKEY key = NULL;
    const LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, RUN_KEY, 0, KEY_ALL_ACCESS, &key);
    // Without the Run key there is simply no value to delete.
    if (opened == ERROR_FILE_NOT_FOUND)
        report_absent();
    if (opened == ERROR_SUCCESS) {
        if (RegQueryValueExA(key, RUN_VALUE, NULL, NULL, NULL, NULL) == ERROR_FILE_NOT_FOUND) {
            RegCloseKey(key);
            report_absent();
        }
        const LONG deleted = RegDeleteValueA(key, RUN_VALUE);
        RegCloseKey(key);
        if (deleted == ERROR_SUCCESS) {
            printf("删除成功！\n ");
            pause_and_exit(0);
        }
    }
    printf("%s", REMOVE_FAILED);
    pause_and_exit(1);
}
