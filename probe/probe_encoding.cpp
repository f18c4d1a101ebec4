#include "probe/probe_encoding.h"

static const int END = -1;
static const int CTRL_Z = 0x1A; // the end of a text file for the C runtime's text mode

// Stands for a character that is neither ASCII nor a full-width form we read: two bytes,
// as GBK would take, walked as one character (the full-width question mark).
static const unsigned char OTHER_CHARACTER[2] = {0xA3, 0xBF};

static int byte_of(probe_decoder *d)
{
    if (d->ahead != NONE_AHEAD) {
        const long b = d->ahead;
        d->ahead = NONE_AHEAD;
        return (int)b;
    }
    const int c = d->next(d->source);
    return c < 0 ? END : c & 0xFF;
}

// --- deciding the encoding ----------------------------------------------------------

// Judges the bytes from b0 and b1 on as UTF-8; a mark at the start decides at once.
static file_encoding judge_utf8(read_char_fn next, void *source, int b0, int b1)
{
    bool high = false;
    int need = 0;               // continuation bytes still due
    int low = 0x80, top = 0xBF; // the range of the next one
    for (int step = 0;; ++step) {
        const int c = step == 0 ? b0 : step == 1 ? b1 : next(source);
        if (step == 2 && b0 == 0xEF && b1 == 0xBB && c == 0xBF)
            return ENCODING_UTF8;
        if (c < 0 || c == 0 || c == CTRL_Z)
            return need == 0 && high ? ENCODING_UTF8 : ENCODING_GBK;
        if (c >= 0x80)
            high = true;
        if (need > 0) {
            if (c < low || c > top)
                return ENCODING_GBK;
            --need;
            low = 0x80;
            top = 0xBF;
            continue;
        }
        if (c < 0x80)
            continue;
        if (c >= 0xC2 && c <= 0xDF) {
            need = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            need = 2;
            if (c == 0xE0)
                low = 0xA0; // no overlong forms
            if (c == 0xED)
                top = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            need = 3;
            if (c == 0xF0)
                low = 0x90;
            if (c == 0xF4)
                top = 0x8F; // nothing past U+10FFFF
        } else {
            return ENCODING_GBK;
        }
    }
}

file_encoding detect_encoding(read_char_fn next, void *source)
{
    const int b0 = next(source);
    const int b1 = b0 < 0 ? -1 : next(source);
    if (b0 == 0xFF && b1 == 0xFE)
        return ENCODING_UTF16LE;
    if (b0 == 0xFE && b1 == 0xFF)
        return ENCODING_UTF16BE;
    return judge_utf8(next, source, b0, b1);
}

// --- reading characters -------------------------------------------------------------

typedef decoded_character character;

static character ascii(int c)
{
    return {{(unsigned char)c, 0}, 1};
}

static character other()
{
    return {{OTHER_CHARACTER[0], OTHER_CHARACTER[1]}, 2};
}

static const character END_OF_TEXT = {{0, 0}, 0};

// The full-width forms an input method types: digits, comma, ideographic space.
static character from_code_point(unsigned long cp)
{
    if (cp < 0x80)
        return ascii((int)cp);
    if (cp >= 0xFF10 && cp <= 0xFF19)
        return ascii('0' + (int)(cp - 0xFF10));
    if (cp == 0xFF0C)
        return ascii(',');
    if (cp == 0x3000)
        return ascii(' ');
    return other();
}

static bool is_gbk_lead_byte(int c)
{
    return c >= 0x81 && c <= 0xFE;
}

static bool is_gbk_second_byte(int c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE);
}

static character read_gbk(probe_decoder *d)
{
    const int b = byte_of(d);
    if (b == END)
        return END_OF_TEXT;
    if (!is_gbk_lead_byte(b))
        return ascii(b);
    const int second = byte_of(d);
    if (!is_gbk_second_byte(second)) {
        // A lone lead byte is one byte, so what follows it keeps its meaning.
        d->ahead = second == END ? NONE_AHEAD : second;
        return ascii(b);
    }
    if (b == 0xA3 && second >= 0xB0 && second <= 0xB9)
        return ascii('0' + second - 0xB0);
    if (b == 0xA3 && second == 0xAC)
        return ascii(',');
    if (b == 0xA1 && second == 0xA1)
        return ascii(' ');
    return {{(unsigned char)b, (unsigned char)second}, 2};
}

static const long NOT_A_CHARACTER = -2;

// The code point of the next UTF-8 character, END, or NOT_A_CHARACTER.
static long utf8_code_point(probe_decoder *d)
{
    const int b = byte_of(d);
    if (b == END)
        return END;
    if (b < 0x80)
        return b;
    // A file judged UTF-8 by its mark alone may hold anything: an overlong form of an
    // ASCII character is never read as that character.
    const int length = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
    static const long smallest[4] = {0, 0x80, 0x800, 0x10000};
    long cp = b & (0x3F >> length);
    for (int need = length; need > 0; --need) {
        const int c = byte_of(d);
        if (c == END || (c & 0xC0) != 0x80) {
            // Only if the file changed since it was judged; the byte starts afresh.
            d->ahead = c == END ? NONE_AHEAD : c;
            return NOT_A_CHARACTER;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    return cp < smallest[length] ? NOT_A_CHARACTER : cp;
}

static character read_utf8(probe_decoder *d)
{
    const long cp = utf8_code_point(d);
    if (cp == END)
        return END_OF_TEXT;
    return cp == NOT_A_CHARACTER ? other() : from_code_point((unsigned long)cp);
}

// One UTF-16 unit, or END when fewer than two bytes are left.
static long unit_of(probe_decoder *d)
{
    if (d->ahead != NONE_AHEAD) {
        const long u = d->ahead;
        d->ahead = NONE_AHEAD;
        return u;
    }
    const int first = d->next(d->source);
    const int second = first < 0 ? -1 : d->next(d->source);
    if (second < 0)
        return END;
    return d->encoding == ENCODING_UTF16LE ? (long)(first | (second << 8))
                                           : (long)((first << 8) | second);
}

static character read_utf16(probe_decoder *d)
{
    const long u = unit_of(d);
    if (u == END)
        return END_OF_TEXT;
    if (u >= 0xD800 && u <= 0xDBFF) {
        const long low = unit_of(d);
        if (!(low >= 0xDC00 && low <= 0xDFFF))
            d->ahead = low == END ? NONE_AHEAD : low; // a lone high surrogate
        return other();
    }
    return from_code_point((unsigned long)u);
}

static character read_character(probe_decoder *d)
{
    switch (d->encoding) {
    case ENCODING_UTF8:
        return read_utf8(d);
    case ENCODING_UTF16LE:
    case ENCODING_UTF16BE:
        return read_utf16(d);
    case ENCODING_GBK:
        break;
    }
    return read_gbk(d);
}

static bool is_ascii(const character &c, int value)
{
    return c.count == 1 && c.bytes[0] == value;
}

void start_decoding(probe_decoder *d, file_encoding encoding, read_char_fn next,
                    void *source)
{
    *d = probe_decoder();
    d->next = next;
    d->source = source;
    d->encoding = encoding;
    d->ahead = NONE_AHEAD;
    if (encoding == ENCODING_UTF16LE || encoding == ENCODING_UTF16BE) {
        unit_of(d); // the mark
    } else if (encoding == ENCODING_UTF8) {
        // The mark, when there is one; any other first character is held for the text.
        const long first = utf8_code_point(d);
        if (first == END || first == 0xFEFF)
            return;
        d->held = first == NOT_A_CHARACTER ? other() : from_code_point((unsigned long)first);
    }
}

int next_decoded_char(void *decoder)
{
    probe_decoder *d = (probe_decoder *)decoder;
    if (d->out_at < d->out.count)
        return d->out.bytes[d->out_at++];
    if (d->ended)
        return -1;
    character c = d->held.count > 0 ? d->held : read_character(d);
    d->held = END_OF_TEXT;
    if (c.count == 0 || is_ascii(c, CTRL_Z)) {
        d->ended = true;
        return -1;
    }
    if (is_ascii(c, '\r')) {
        const character after = read_character(d);
        if (is_ascii(after, '\n'))
            c = after;
        else
            d->held = after;
    }
    d->out = c;
    d->out_at = 1;
    return c.bytes[0];
}

void decode_probe_file(read_char_fn next, rewind_fn restart, void *source, char *text,
                       size_t size, notice_fn notice)
{
    const file_encoding encoding = detect_encoding(next, source);
    restart(source);
    probe_decoder decoder;
    start_decoding(&decoder, encoding, next, source);
    build_probe_text(next_decoded_char, &decoder, text, size, notice);
}
