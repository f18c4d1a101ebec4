// One normal run at a time in the user's session. Two scanners would move the one cursor
// on beats of their own, and either might click; their journal lines would cross.
#ifndef QUORVANE_SUPPORT_RUN_CLAIM_H
#define QUORVANE_SUPPORT_RUN_CLAIM_H

// The exit status of a normal run that finds another one scanning.
enum { RUN_REFUSED_STATUS = 3 };

// Takes the session's claim for this process, which holds it until it ends: Windows
// lets go of it when the run ends or is killed. False when another run holds it.
bool claim_run();

// What the readout and a refused run say of such a run.
extern const char RUN_SCANNING[];

// True while another process holds the claim (for the readout, which only looks).
bool run_claimed();

#endif
