#include "probe/probe_file.h"

#include "probe/probe_line.h"
#include "support/buffers.h"
#include "support/desktop_paths.h"
#include "support/file_replace.h"

#include <io.h>
#include <stdio.h>

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
    case NOTICE_FILE_CUT:
        printf("自定义RGB文件大于%d字节，只读取了前%d字节，从第%d行起已忽略\n",
               PROBE_FILE_BOUND, PROBE_FILE_BOUND, line_number);
        break;
    }
}

probe_file_state read_probe_file(probe_file_bytes *file)
{
    file->size = 0;
    file->whole = true;
    if (_access(probe_file_path, 0) != 0)
        return PROBE_FILE_MISSING;
    FILE *f = NULL;
    // Bytes as they are: a UTF-16 file is no text for the C runtime's text mode, and the
    // decoding reads line ends as that mode would.
    if (fopen_s(&f, probe_file_path, "rb") != 0 || f == NULL)
        return PROBE_FILE_UNREADABLE;
    file->size = fread(file->bytes, 1, sizeof file->bytes, f);
    file->whole = fgetc(f) == EOF;
    const bool failed = ferror(f) != 0;
    fclose(f);
    return failed ? PROBE_FILE_UNREADABLE : PROBE_FILE_READ;
}

void load_probe_file()
{
    // What a record killed while it wrote the file left beside it.
    char desktop[TEXT_SIZE];
    if (desktop_folder(desktop))
        remove_leftovers(desktop, PROBE_FILE_NAME);
    probe_file_bytes file;
    const probe_file_state state = read_probe_file(&file);
    if (state == PROBE_FILE_MISSING) {
        printf("未找到自定义RGB文件\n");
        return;
    }
    printf("找到自定义RGB文件\n");
    if (state == PROBE_FILE_READ && file.size > 0)
        decode_probe_file(file.bytes, file.size, file.whole, probe_text, TEXT_SIZE,
                          report_left_out);
}
