// Test helper: set_cursor <x> <y> puts the mouse cursor there, as a user would, and ends
// once it stays there. In a loaded run under Wine 10 the cursor was once found back at
// the display's centre a second after a move that had answered success; a hand on the
// mouse would move it again, so the helper does too. Exit 1: it never stayed.
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

static bool cursor_at(int x, int y)
{
    POINT at;
    return GetCursorPos(&at) && at.x == x && at.y == y;
}

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    int x = atoi(argv[1]);
    int y = atoi(argv[2]);
    // Right after a move Wine answers with the point it was given; a look 250 ms later
    // asks the display where the pointer is.
    for (int tries = 0; tries < 20; tries++) {
        if (!SetCursorPos(x, y))
            return 1;
        Sleep(250);
        if (cursor_at(x, y)) {
            Sleep(250);
            if (cursor_at(x, y))
                return 0;
        }
        fprintf(stderr, "set_cursor: the cursor did not stay at %d,%d; again\n", x, y);
    }
    return 1;
}
