// A probe file as people save and type it: Notepad's ANSI (GBK), UTF-8 with or without
// its mark, UTF-16 LE and BE; full-width digits, commas and spaces from an input method in
// full-width mode. Decoded into the text the line rules read: GBK, those forms as ASCII.
#ifndef QUORVANE_PROBE_PROBE_ENCODING_H
#define QUORVANE_PROBE_PROBE_ENCODING_H

#include "probe/probe_text.h"
#include "support/text.h"

#include <stddef.h>

enum file_encoding { ENCODING_GBK, ENCODING_UTF8, ENCODING_UTF16LE, ENCODING_UTF16BE };

// The most bytes of a probe file that are read. No character of the decoded text comes
// from more than four bytes of the file: a UTF-16 CR LF is one '\n', a UTF-8 full-width
// digit (three bytes) one digit, anything else one byte or more from every two. So four
// bytes per byte of the probe text, after a mark of at most three, always hold more than
// the text can take; only lines left out for their length can push usable lines past it.
enum { PROBE_FILE_BOUND = 3 + 4 * TEXT_SIZE };

// Decides once for the whole file, from its bytes: a UTF-16 or UTF-8 mark; else UTF-8
// when the bytes up to the end of the text (the end, a NUL or a Ctrl+Z) are valid UTF-8
// and hold one byte of 0x80 or above, as Notepad decides; else GBK. whole: the file ends
// after size bytes; else a character cut there is judged as far as it goes.
file_encoding detect_encoding(const unsigned char *bytes, size_t size, bool whole = true);

// How many bytes the file's mark takes at its start (0 when it has none).
size_t mark_length(const unsigned char *bytes, size_t size, file_encoding encoding);

// The probe text of the first size bytes of a file (whole: the file ends there), by the
// line rules of build_probe_text. Line ends read as in the C runtime's text mode: CR LF
// as '\n', Ctrl+Z ends the text, as does a NUL. Full-width digits, comma and space are
// their ASCII forms; any other character beyond ASCII is two bytes, as in GBK, and never
// a digit or separator. A half UTF-16 unit at the end of a cut file is no character.
// True when every usable line of the file is in the text.
bool decode_probe_file(const unsigned char *bytes, size_t size, bool whole, char *text,
                       size_t text_size, notice_fn notice);

#endif
