#include "app/error_log.h"

#include "app/buffers.h"
#include "app/console.h"
#include "app/log_record.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

void log_error(const char *message)
{
    const time_t now = time(NULL);
    const struct tm *local = localtime(&now);
    const log_time when = {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                           local->tm_hour,        local->tm_min,     local->tm_sec};

    FILE *log = NULL;
    if (fopen_s(&log, log_path, "a+") != 0 || log == NULL) {
        printf("打开日志文件失败！\n");
        perror("原因");
        pause_and_exit(1);
    }
    // Every message is one of ours and short, so the record always fits.
    char record[512];
    format_log_record(record, sizeof record, message, &when);
    // On a full disk the record fails at the flush or the close, not at the write.
    bool failed = fputs(record, log) == EOF || fflush(log) != 0;
    int reason = errno;
    if (fclose(log) != 0 && !failed) {
        failed = true;
        reason = errno;
    }
    const size_t length = strlen(record);
    if (length > 0)
        printf("%.*s", (int)(length - 1), record);
    // The user will look in the log later: tell now that this record is not there.
    if (failed) {
        printf("写入日志文件失败！\n");
        errno = reason;
        perror("原因");
    }
}
