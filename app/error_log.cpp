#include "app/error_log.h"

#include "app/log_record.h"
#include "journal/journal.h"
#include "support/buffers.h"
#include "support/clock.h"
#include "support/console.h"

#include <errno.h>
// Before any header of the C++ library: that one asks for MinGW's own printf.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

void log_error(const char *message)
{
    log_time when;
    local_now(&when);

    FILE *log = NULL;
    if (fopen_s(&log, log_path, "a+") != 0 || log == NULL) {
        printf("打开日志文件失败！\n");
        perror("原因");
        // The run ends here too, whatever the caller meant to do next.
        journal_run_failed(message, false);
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

void log_error_and_exit(const char *message)
{
    log_error(message);
    journal_run_failed(message, true);
    exit(1);
}
