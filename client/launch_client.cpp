// Starts the client: through the launcher in the folder its uninstall record names,
// else through the all-users desktop shortcut. Every failure on the way is logged.
#include "client/client.h"

#include "app/error_log.h"
#include "client/client_ids.h"
#include "client/launch_path.h"
#include "support/buffers.h"

#include <io.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

// Reads UninstallString into value, as stored, whatever its type. It counts only when
// it ends within the buffer: the path is then a whole text, which is all we rely on.
static bool read_uninstall_value(HKEY key, char *value, DWORD size)
{
    memset(value, 0, size);
    DWORD got = size;
    if (RegQueryValueExA(key, UNINSTALL_VALUE, NULL, NULL, (LPBYTE)value, &got) != ERROR_SUCCESS)
        return false;
    return memchr(value, '\0', size) != NULL;
}

// Finds the launcher through the uninstall record. Logs and returns false on failure.
static bool find_launcher(char *path, size_t size)
{
    SYSTEM_INFO info;
    GetNativeSystemInfo(&info);
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, uninstall_key_for(info.wProcessorArchitecture), 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        log_error("打开注册表失败");
        return false;
    }
    char value[TEXT_SIZE];
    const bool read = read_uninstall_value(key, value, sizeof value);
    RegCloseKey(key);
    if (!read) {
        log_error("读取键值“UninstallString”失败！");
        return false;
    }
    const launcher_path_result derived = derive_launcher_path(value, path, size);
    if (derived == LAUNCHER_PATH_NO_BACKSLASH) {
        log_error("注册表读取到的钉钉安装路径无效！");
        return false;
    }
    // The existence test also keeps a crafted value from reaching the interpreter:
    // no file name can hold a double quote.
    if (derived == LAUNCHER_PATH_TOO_LONG || _access(path, 0) != 0) {
        log_error("注册表寻找到的钉钉安装路径无效！");
        return false;
    }
    return true;
}

// cmd /c drops the quotes of a quoted path that holds parentheses, as
// "C:\Program Files (x86)\..." does; one more pair keeps them.
static void run_launch_command()
{
    char line[TEXT_SIZE];
    if (format_text(line, sizeof line, "\"%s\"", launch_command))
        system(line);
}

void launch_client()
{
    char launcher[TEXT_SIZE];
    if (find_launcher(launcher, sizeof launcher)) {
        format_text(launch_command, TEXT_SIZE, "\"%s\"", launcher);
        run_launch_command();
        Sleep(3000);
        return;
    }
    format_text(launch_command, TEXT_SIZE, "\"%s\"", DESKTOP_SHORTCUT);
    if (_access(DESKTOP_SHORTCUT, 0) != 0) {
        log_error_and_exit("无法获取桌面的钉钉快捷方式！");
    }
    run_launch_command();
}
