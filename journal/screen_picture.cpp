#include "journal/screen_picture.h"

#include "journal/picture_text.h"
#include "probe/colour_sample.h"
#include "support/file_replace.h"

#include <windows.h>

// A locked screen reads as black where the copy does not fail outright; no real screen
// of the client is black throughout.
static bool all_black(const unsigned char *pixels, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        if (pixels[i] != 0)
            return false;
    }
    return true;
}

// Copies the area into memory's bitmap; false when the screen cannot be read.
static bool copy_area(HDC memory)
{
    // The width the program is given for the screen, before it asks for physical pixels.
    const int logical = GetSystemMetrics(SM_CXSCREEN);
    void *const previous = enter_physical_pixels();
    HDC screen = GetDC(NULL);
    bool copied = false;
    if (screen != NULL) {
        const int physical = GetDeviceCaps(screen, DESKTOPHORZRES);
        const int width = logical > 0 ? MulDiv(PICTURE_WIDTH, physical, logical) : 0;
        const int height = logical > 0 ? MulDiv(PICTURE_HEIGHT, physical, logical) : 0;
        SetStretchBltMode(memory, HALFTONE);
        SetBrushOrgEx(memory, 0, 0, NULL);
        copied = width > 0 && height > 0 &&
                 StretchBlt(memory, 0, 0, PICTURE_WIDTH, PICTURE_HEIGHT, screen, 0, 0, width,
                            height, SRCCOPY | CAPTUREBLT);
        ReleaseDC(NULL, screen);
    }
    leave_physical_pixels(previous);
    return copied;
}

picture_outcome save_client_area(const char *path, const char **call, unsigned long *error)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = PICTURE_WIDTH;
    info.bmiHeader.biHeight = PICTURE_HEIGHT; // the bottom row first, as the file has it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void *pixels = NULL;
    // The pixels live in the system's memory for the bitmap, not in the program's.
    HBITMAP bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pixels, NULL, 0);
    HDC memory = CreateCompatibleDC(NULL);
    if (bitmap == NULL || memory == NULL) {
        *call = bitmap == NULL ? "CreateDIBSection" : "CreateCompatibleDC";
        *error = GetLastError();
        if (bitmap != NULL)
            DeleteObject(bitmap);
        if (memory != NULL)
            DeleteDC(memory);
        return PICTURE_NOT_SAVED;
    }
    const HGDIOBJ before = SelectObject(memory, bitmap);
    const size_t size = (size_t)PICTURE_ROW_BYTES * PICTURE_HEIGHT;
    picture_outcome outcome = PICTURE_UNREADABLE;
    if (copy_area(memory) && GdiFlush() && !all_black((const unsigned char *)pixels, size)) {
        unsigned char header[BMP_HEADER_SIZE];
        make_bmp_header(header);
        *error = replace_file(path, header, sizeof header, pixels, size, call);
        outcome = *error == 0 ? PICTURE_SAVED : PICTURE_NOT_SAVED;
    }
    SelectObject(memory, before);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return outcome;
}
