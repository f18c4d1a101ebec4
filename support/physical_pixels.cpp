#include "support/physical_pixels.h"

#include <windows.h>

typedef HANDLE(WINAPI *set_dpi_context_fn)(HANDLE context); // SetThreadDpiAwarenessContext
// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE, from Windows 10 1607 on.
static const HANDLE PER_MONITOR_AWARE = (HANDLE)(LONG_PTR)-3;

void (*user32_function(const char *name))()
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    // The cast goes through a function type that fits all, as GetProcAddress's answer must.
    return user32 == NULL ? NULL : (void (*)())GetProcAddress(user32, name);
}

void *enter_physical_pixels()
{
    const set_dpi_context_fn set_dpi_context =
        (set_dpi_context_fn)user32_function("SetThreadDpiAwarenessContext");
    return set_dpi_context != NULL ? set_dpi_context(PER_MONITOR_AWARE) : NULL;
}

void leave_physical_pixels(void *previous)
{
    const set_dpi_context_fn set_dpi_context =
        (set_dpi_context_fn)user32_function("SetThreadDpiAwarenessContext");
    if (previous != NULL && set_dpi_context != NULL)
        set_dpi_context(previous);
}
