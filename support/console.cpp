#include "support/console.h"

#include <stdio.h>
#include <stdlib.h>

void pause_and_exit(int status)
{
    // The interpreter writes to the same console: what we printed must come first.
    fflush(NULL);
    system("pause");
    exit(status);
}
