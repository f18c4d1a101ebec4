// Test helper: set_cursor <x> <y> puts the mouse cursor there, as a user would.
#include <stdlib.h>
#include <windows.h>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    return SetCursorPos(atoi(argv[1]), atoi(argv[2])) ? 0 : 1;
}
