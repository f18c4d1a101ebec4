// Test helper: swap_buttons <1|0> sets the left-handed mouse setting, as Control Panel does.
#include <windows.h>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    SwapMouseButton(argv[1][0] == '1');
    return GetSystemMetrics(SM_SWAPBUTTON) == (argv[1][0] == '1') ? 0 : 1;
}
