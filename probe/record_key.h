// The record key of the readout: one press writes the point under the cursor into the
// probe file, with the colour the scan will see there.
#ifndef QUORVANE_PROBE_RECORD_KEY_H
#define QUORVANE_PROBE_RECORD_KEY_H

// Registers the record key for this thread, or a second combination where another
// program holds it, and says which one on the console; or that there is none.
void register_record_key();

// Waits milliseconds, idle, and records a point at every press of the key meanwhile.
void wait_recording(unsigned long milliseconds);

#endif
