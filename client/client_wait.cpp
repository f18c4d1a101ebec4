#include "client/client_wait.h"

bool wait_for_client(look_fn look, void *context, int looks, unsigned long pause_ms,
                     sleep_fn pause)
{
    for (int attempt = 1; attempt <= looks; ++attempt) {
        if (look(context))
            return true;
        pause(pause_ms);
    }
    return false;
}
