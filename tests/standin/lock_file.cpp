// Holds a file open with no sharing at all, as another program that has it locked:
//   lock_file FILE READY    opens FILE, writes READY once it holds it, stays until killed
#include <stdio.h>
#include <windows.h>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    FILE *ready = fopen(argv[2], "w");
    if (ready != NULL)
        fclose(ready);
    for (;;)
        Sleep(1000);
}
