// The yardstick for the footprint figures: a Win32 console program that only sleeps.
#include <windows.h>

int main()
{
    for (;;)
        Sleep(3000);
}
