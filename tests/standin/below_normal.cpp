// Runs a command line at below-normal priority, as a task of priority 7 starts its
// program, and exits with its exit status. Its output is the caller's.
//   below_normal.exe PROGRAM [ARGUMENTS]
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
    char command[4096];
    snprintf(command, sizeof command, "%s", line);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // Wine does not take the class from the creation flags: it is set before the start.
    if (!CreateProcessA(NULL, command, NULL, NULL, TRUE,
                        CREATE_SUSPENDED | BELOW_NORMAL_PRIORITY_CLASS, NULL, NULL, &startup,
                        &process)) {
        fprintf(stderr, "CreateProcess failed: %lu\n", GetLastError());
        return 2;
    }
    if (!SetPriorityClass(process.hProcess, BELOW_NORMAL_PRIORITY_CLASS) ||
        GetPriorityClass(process.hProcess) != BELOW_NORMAL_PRIORITY_CLASS) {
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
