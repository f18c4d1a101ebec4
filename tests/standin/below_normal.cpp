// Runs a command line at below-normal priority, as a task of priority 7 starts its
// program, or with /high at high priority, as a user's tool may; exits with its exit
// status. Its output is the caller's.
//   below_normal.exe [/high] PROGRAM [ARGUMENTS]
#include <stdio.h>
#include <string.h>
#include <windows.h>

int main()
{
    // The command line past our own name, as typed.
    const char *line = GetCommandLineA();
    if (*line == '"') {
        line = strchr(line + 1, '"');
        line = line != NULL ? line + 1 : "";
    } else {
        while (*line != '\0' && *line != ' ')
            ++line;
    }
    while (*line == ' ')
        ++line;
    DWORD priority = BELOW_NORMAL_PRIORITY_CLASS;
    if (strncmp(line, "/high ", 6) == 0) {
        priority = HIGH_PRIORITY_CLASS;
        line += 6;
    }
    char command[4096];
    snprintf(command, sizeof command, "%s", line);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // Wine does not take the class from the creation flags: it is set before the start.
    if (!CreateProcessA(NULL, command, NULL, NULL, TRUE,
                        CREATE_SUSPENDED | priority, NULL, NULL, &startup,
                        &process)) {
        fprintf(stderr, "CreateProcess failed: %lu\n", GetLastError());
        return 2;
    }
    if (!SetPriorityClass(process.hProcess, priority) ||
        GetPriorityClass(process.hProcess) != priority) {
        fprintf(stderr, "the priority class was not set: %lu\n", GetLastError());
        TerminateProcess(process.hProcess, 2);
        return 2;
    }
    ResumeThread(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 2;
    GetExitCodeProcess(process.hProcess, &status);
    return (int)status;
}
