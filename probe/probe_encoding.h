// A probe file as people save and type it: Notepad's ANSI (GBK), UTF-8 with or without
// its mark, UTF-16 LE and BE; full-width digits, commas and spaces from an input method in
// full-width mode. Decoded into the text the line rules read: GBK, those forms as ASCII.
#ifndef QUORVANE_PROBE_PROBE_ENCODING_H
#define QUORVANE_PROBE_PROBE_ENCODING_H

#include "probe/probe_text.h"

#include <stddef.h>

enum file_encoding { ENCODING_GBK, ENCODING_UTF8, ENCODING_UTF16LE, ENCODING_UTF16BE };

// Decides once for the whole file, from its bytes: a UTF-16 or UTF-8 mark; else UTF-8
// when the bytes up to the end of the text (the end, a NUL or a Ctrl+Z) are valid UTF-8
// and hold one byte of 0x80 or above, as Notepad decides; else GBK.
file_encoding detect_encoding(read_char_fn next, void *source);

static const long NONE_AHEAD = -2;

// One character of the decoded text: one or two bytes; no bytes at the end of the text.
struct decoded_character {
    unsigned char bytes[2];
    int count;
};

// Reading state of one pass over a file of a known encoding.
struct probe_decoder {
    read_char_fn next;
    void *source;
    file_encoding encoding;
    long ahead;              // a byte or UTF-16 unit read too far, or NONE_AHEAD
    decoded_character held;  // read ahead: after a CR that was not a LF, or the first
    decoded_character out;   // the character being given, out_at bytes of it so far
    int out_at;
    bool ended;
};

// Starts a pass from the first byte of the file; a mark at the start is skipped.
void start_decoding(probe_decoder *decoder, file_encoding encoding, read_char_fn next,
                    void *source);

// The next byte of the decoded text, or a negative value at its end; a read_char_fn
// over a probe_decoder. Line ends read as in the C runtime's text mode: CR LF as '\n',
// Ctrl+Z ends the text. Full-width digits, comma and space are their ASCII forms; any
// other character beyond ASCII is two bytes, as in GBK, and never a digit or separator.
// A half UTF-16 unit at the end of a cut file is not a character: the text ends before it.
int next_decoded_char(void *decoder);

// Rewinds the file to its first byte.
typedef void (*rewind_fn)(void *source);

// The probe text of a file: its encoding decided over one pass, then decoded in a
// second and kept by the line rules of build_probe_text.
void decode_probe_file(read_char_fn next, rewind_fn restart, void *source, char *text,
                       size_t size, notice_fn notice);

#endif
