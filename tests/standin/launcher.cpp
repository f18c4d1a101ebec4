// Stand-in for the client's launcher: starts the stand-in client from its own folder and
// exits at once, as the real one does. STANDIN_CLIENT names another file to start;
// "none" starts nothing (a client whose window never opens).
#include <string.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char client[MAX_PATH] = "DingTalk.exe";
    GetEnvironmentVariableA("STANDIN_CLIENT", client, sizeof client);
    if (strcmp(client, "none") == 0)
        return 0;
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
    char *slash = strrchr(path, '\\');
    if (length == 0 || slash == NULL || strlen(client) >= sizeof path - (size_t)(slash + 1 - path))
        return 1;
    strcpy(slash + 1, client);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(path, NULL, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return 1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}
