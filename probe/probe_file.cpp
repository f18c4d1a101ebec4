#include "probe/probe_file.h"

#include "app/buffers.h"
#include "probe/probe_encoding.h"
#include "probe/probe_line.h"

#include <io.h>
#include <stdio.h>

static int read_file_byte(void *source)
{
    return fgetc((FILE *)source);
}

static void rewind_file(void *source)
{
    rewind((FILE *)source);
}

static void report_left_out(load_notice what, int line_number)
{
    switch (what) {
    case NOTICE_LINE_TOO_LONG:
        printf("自定义RGB文件第%d行超过%d字节，已忽略该行\n", line_number, MAX_LINE_CHARS);
        break;
    case NOTICE_VALUE_TOO_LONG:
        printf("自定义RGB文件第%d行有超过%d字节的数值，已忽略该行\n", line_number,
               TOKEN_SIZE - 1);
        break;
    case NOTICE_TEXT_FULL:
        printf("自定义RGB文件超过%d字节，从第%d行起已忽略\n", TEXT_SIZE - 1, line_number);
        break;
    }
}

void load_probe_file()
{
    if (_access(probe_file_path, 0) != 0) {
        printf("未找到自定义RGB文件\n");
        return;
    }
    printf("找到自定义RGB文件\n");
    FILE *file = NULL;
    // Bytes as they are: a UTF-16 file is no text for the C runtime's text mode, and the
    // decoding reads line ends as that mode would.
    if (fopen_s(&file, probe_file_path, "rb") != 0 || file == NULL)
        return;
    if (_filelength(_fileno(file)) > 0)
        decode_probe_file(read_file_byte, rewind_file, file, probe_text, TEXT_SIZE,
                          report_left_out);
    fclose(file);
}
