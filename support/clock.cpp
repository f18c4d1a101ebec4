#include "support/clock.h"

#include <time.h>

void local_now(log_time *when)
{
    const time_t now = time(NULL);
    const struct tm *local = localtime(&now);
    *when = {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
             local->tm_hour,        local->tm_min,     local->tm_sec};
}
