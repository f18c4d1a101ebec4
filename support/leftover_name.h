// The names a run gives the files it writes before they take their place, as a later run
// finds them: "<file>.<process id>.tmp", or "<file>.tmp" as the versions before wrote.
#ifndef QUORVANE_SUPPORT_LEFTOVER_NAME_H
#define QUORVANE_SUPPORT_LEFTOVER_NAME_H

// True when tail, what follows "<file>." in a name, is "<process id>.tmp" (*owner gets the
// id) or "tmp" (*owner gets 0).
bool leftover_tail(const char *tail, unsigned long *owner);

#endif
