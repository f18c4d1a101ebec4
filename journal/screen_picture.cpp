// The picture is written by the system's own codec, GDI+ (on every Windows since XP). Its
// flat API is plain C and needs no C++ runtime; the few calls used are declared here.
#include "journal/screen_picture.h"

#include "support/file_replace.h"
#include "support/physical_pixels.h"
#include "support/text.h"

#include <windows.h>

struct GdiplusStartupInput {
    UINT32 GdiplusVersion;
    void *DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};

extern "C" {
int WINAPI GdiplusStartup(ULONG_PTR *token, const GdiplusStartupInput *input, void *output);
void WINAPI GdiplusShutdown(ULONG_PTR token);
int WINAPI GdipCreateBitmapFromScan0(INT width, INT height, INT stride, INT format, BYTE *scan0,
                                     void **bitmap);
int WINAPI GdipSaveImageToFile(void *image, const WCHAR *file, const CLSID *encoder,
                               const void *parameters);
int WINAPI GdipDisposeImage(void *image);
}

static const int GDIPLUS_OK = 0;
static const int GDIPLUS_WIN32_ERROR = 7; // the cause is in GetLastError
static const INT PIXEL_FORMAT_32BPP_RGB = 0x00022009;
// The PNG encoder, {557CF406-1A04-11D3-9A73-0000F81EF32E}.
static const CLSID PNG_ENCODER = {0x557cf406, 0x1a04, 0x11d3,
                                  {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// A locked screen reads as black where the copy does not fail outright; no real screen
// of the client is black throughout. The fourth byte of each pixel is not colour.
static bool all_black(const unsigned char *pixels, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        if (pixels[i] != 0 && i % 4 != 3)
            return false;
    }
    return true;
}

// The screen's pixels into memory's bitmap, width x height physical pixels.
static bool copy_screen(HDC memory, int width, int height)
{
    void *const previous = enter_physical_pixels();
    HDC screen = GetDC(NULL);
    const bool copied = screen != NULL && BitBlt(memory, 0, 0, width, height, screen, 0, 0,
                                                 SRCCOPY | CAPTUREBLT);
    if (screen != NULL)
        ReleaseDC(NULL, screen);
    leave_physical_pixels(previous);
    return copied;
}

// The pixels (top row first, 4 bytes each) as a PNG at path; *error is the codec's status,
// or the system's code where the codec says that the system failed.
static picture_outcome encode_png(BYTE *pixels, int width, int height, const char *path,
                                  const char **call, unsigned long *error)
{
    WCHAR wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0) {
        *call = "MultiByteToWideChar";
        *error = GetLastError();
        return PICTURE_NOT_SAVED;
    }
    GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = NULL; // no debug output, the system's own threads and codecs
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    ULONG_PTR token = 0;
    void *bitmap = NULL;
    int status = GdiplusStartup(&token, &input, NULL);
    *call = "GdiplusStartup";
    if (status == GDIPLUS_OK) {
        *call = "GdipCreateBitmapFromScan0";
        status = GdipCreateBitmapFromScan0(width, height, width * 4, PIXEL_FORMAT_32BPP_RGB,
                                           pixels, &bitmap);
    }
    if (status == GDIPLUS_OK) {
        *call = "GdipSaveImageToFile";
        SetLastError(0);
        status = GdipSaveImageToFile(bitmap, wide, &PNG_ENCODER, NULL);
    }
    // The codec's status seldom names the cause of a failed write (a full disk is a
    // "generic error" to some versions); the system's own code does.
    const unsigned long system_error = GetLastError();
    if (bitmap != NULL)
        GdipDisposeImage(bitmap);
    if (token != 0)
        GdiplusShutdown(token);
    if (status == GDIPLUS_OK)
        return PICTURE_SAVED;
    const bool system_failed = status == GDIPLUS_WIN32_ERROR || system_error != 0;
    *error = system_failed ? system_error : (unsigned long)status;
    return system_failed ? PICTURE_NOT_SAVED : PICTURE_NOT_ENCODED;
}

picture_outcome save_screen_picture(const char *path, const char **call, unsigned long *error)
{
    // The primary screen's size in physical pixels, whatever the display scaling.
    void *const previous = enter_physical_pixels();
    HDC screen = GetDC(NULL);
    const int width = screen != NULL ? GetDeviceCaps(screen, DESKTOPHORZRES) : 0;
    const int height = screen != NULL ? GetDeviceCaps(screen, DESKTOPVERTRES) : 0;
    if (screen != NULL)
        ReleaseDC(NULL, screen);
    leave_physical_pixels(previous);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // the top row first, as the codec takes it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *pixels = NULL;
    // The pixels live in the system's memory for the bitmap, not in the program's.
    HBITMAP bitmap = width > 0 && height > 0
                         ? CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pixels, NULL, 0)
                         : NULL;
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
    picture_outcome outcome = PICTURE_UNREADABLE;
    if (copy_screen(memory, width, height) && GdiFlush() &&
        !all_black((const unsigned char *)pixels, (size_t)width * height * 4)) {
        char temporary[TEXT_SIZE];
        if (!temporary_path(temporary, sizeof temporary, path)) {
            *call = "format_text";
            *error = ERROR_FILENAME_EXCED_RANGE;
            outcome = PICTURE_NOT_SAVED;
        } else {
            outcome = encode_png((BYTE *)pixels, width, height, temporary, call, error);
            if (outcome == PICTURE_SAVED) {
                *error = put_in_place(temporary, path, call);
                outcome = *error == 0 ? PICTURE_SAVED : PICTURE_NOT_SAVED;
            }
            if (outcome != PICTURE_SAVED)
                DeleteFileA(temporary);
        }
    }
    SelectObject(memory, before);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return outcome;
}
