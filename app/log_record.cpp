#include "app/log_record.h"

#include "support/text.h"

bool format_log_record(char *out, size_t size, const char *message, const log_time *when)
{
    return format_text(out, size, "原因：%s\n时间：%02d-%02d-%02d %02d:%02d:%02d\n\n", message,
                       when->year, when->month, when->day, when->hour, when->minute,
                       when->second);
}
