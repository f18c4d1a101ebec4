// The local calendar time, as the error log and the class journal give it.
#ifndef QUORVANE_SUPPORT_CLOCK_H
#define QUORVANE_SUPPORT_CLOCK_H

// Month 1-12 and a four-digit year.
struct log_time {
    int year, month, day, hour, minute, second;
};

// The local time now.
void local_now(log_time *when);

#endif
