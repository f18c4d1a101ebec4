// The class journal on the desktop (上课记录.txt): a line when a normal run starts and
// one when it ends, so that a family can tell afterwards how each class went. Writing
// it never stops, delays or changes the run; a failure is told once on the console.
#ifndef QUORVANE_JOURNAL_JOURNAL_H
#define QUORVANE_JOURNAL_JOURNAL_H

#include "journal/journal_text.h"

#define JOURNAL_NAME "上课记录.txt"

// Takes the run's start time, tells how the last run ended where it could not say so
// itself, and writes this run's start line. Only a run that holds the run claim calls
// it: no other run can then be going on.
void journal_run_start();

// The one line of a run that found another one scanning, and ends.
void journal_run_refused();

// "2026-12-10 08:45:02": when this run started; empty before journal_run_start.
const char *journal_run_stamp();

// The run's end lines. Nothing is written where no run was started (the readout).
// True when the line is in the journal.
bool journal_run_joined(const joined_point *point);
void journal_run_failed(const char *reason, bool logged);

// A line about what the run met on the way.
void journal_note(const char *note);

#endif
