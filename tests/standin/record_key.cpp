// Test helper for the readout's record key, as a user's keyboard would act on it:
//   record_key press [shift]     sends Ctrl+Alt+R (Ctrl+Alt+Shift+R) with SendInput
//   record_key twice             sends Ctrl+Alt+R twice, 100 ms apart: the second press
//                                comes while the first one's record is being written
//   record_key hold FILE [shift] registers Ctrl+Alt+R (and Ctrl+Alt+Shift+R), as another
//                                program that holds them, writes FILE once it does and
//                                stays until killed
// Under Wine a hot key fires for keys sent with SendInput, not for a real X key press
// outside a Wine window.
#include <stdio.h>
#include <string.h>
#include <windows.h>

static INPUT key(WORD vk, bool up)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

static int press(bool shift)
{
    INPUT keys[8];
    UINT count = 0;
    const WORD held[] = {VK_CONTROL, VK_MENU, VK_SHIFT};
    const UINT modifiers = shift ? 3 : 2;
    for (UINT i = 0; i < modifiers; ++i)
        keys[count++] = key(held[i], false);
    keys[count++] = key('R', false);
    keys[count++] = key('R', true);
    for (UINT i = modifiers; i > 0; --i)
        keys[count++] = key(held[i - 1], true);
    return SendInput(count, keys, sizeof(INPUT)) == count ? 0 : 1;
}

static int hold(const char *ready, bool shift)
{
    if (!RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_ALT, 'R') ||
        (shift && !RegisterHotKey(NULL, 2, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'R')))
        return 1;
    FILE *f = fopen(ready, "w");
    if (f != NULL)
        fclose(f);
    for (;;)
        Sleep(1000);
}

int main(int argc, char **argv)
{
    if (argc == 2 && strcmp(argv[1], "twice") == 0) {
        const int first = press(false);
        Sleep(100);
        return first | press(false);
    }
    if (argc >= 2 && strcmp(argv[1], "press") == 0)
        return press(argc == 3 && strcmp(argv[2], "shift") == 0);
    if (argc >= 3 && strcmp(argv[1], "hold") == 0)
        return hold(argv[2], argc == 4 && strcmp(argv[3], "shift") == 0);
    return 2;
}
