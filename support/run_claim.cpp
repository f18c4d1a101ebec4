#include "support/run_claim.h"

#include <windows.h>

// "Local\": the session's own namespace, so that each logged-on user has a claim.
static const char RUN_CLAIM_NAME[] = "Local\\Quorvane.run";

const char RUN_SCANNING[] = "有一次运行正在检查并移动鼠标";
// The readout looks at the claim by taking it for an instant; a run that starts then
// waits that instant out.
static const DWORD CLAIM_WAIT_MS = 1000;

// True once this thread holds mutex: an abandoned one was held by a run that was killed.
static bool take(HANDLE mutex, DWORD wait_ms)
{
    const DWORD waited = WaitForSingleObject(mutex, wait_ms);
    return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

bool claim_run()
{
    HANDLE claim = CreateMutexA(NULL, FALSE, RUN_CLAIM_NAME);
    // Where Windows gives no mutex at all, a class is not missed for it. The handle stays
    // open for the rest of the process: that is the claim.
    return claim == NULL || take(claim, CLAIM_WAIT_MS);
}

bool run_claimed()
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, RUN_CLAIM_NAME);
    if (mutex == NULL)
        return false; // no run has it open
    const bool unheld = take(mutex, 0);
    if (unheld)
        ReleaseMutex(mutex);
    CloseHandle(mutex);
    return !unheld;
}
