#include "probe/probe_encoding.h"

static const int CTRL_Z = 0x1A; // the end of a text file for the C runtime's text mode

// Stands for a character that is neither ASCII nor a full-width form we read: two bytes,
// as GBK would take, walked as one character (the full-width question mark).
static const unsigned char OTHER_CHARACTER[2] = {0xA3, 0xBF};

static const long END = -1;              // no character left in the bytes
static const long NOT_A_CHARACTER = -2; // bytes that are no UTF-8 character

// The file's bytes and where the next character starts.
struct file_bytes {
    const unsigned char *at;
    const unsigned char *end;
};

// --- deciding the encoding ----------------------------------------------------------

static bool has_utf8_mark(const unsigned char *bytes, size_t size)
{
    return size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
}

// Valid UTF-8 up to the end of the text, with a byte of 0x80 or above. A character cut
// by the end of bytes that are only the start of the file is judged as far as it goes.
static bool reads_as_utf8(const unsigned char *bytes, size_t size, bool whole)
{
    bool high = false;
    for (size_t i = 0; i < size && bytes[i] != 0 && bytes[i] != CTRL_Z;) {
        const unsigned char c = bytes[i++];
        if (c < 0x80)
            continue;
        high = true;
        int need;                   // continuation bytes due
        int low = 0x80, top = 0xBF; // the range of the first of them
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
            return false;
        }
        for (; need > 0; --need, low = 0x80, top = 0xBF) {
            if (i >= size)
                return !whole;
            if (bytes[i] < low || bytes[i] > top)
                return false;
            ++i;
        }
    }
    return high;
}

file_encoding detect_encoding(const unsigned char *bytes, size_t size, bool whole)
{
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return ENCODING_UTF16LE;
    if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF)
        return ENCODING_UTF16BE;
    return has_utf8_mark(bytes, size) || reads_as_utf8(bytes, size, whole) ? ENCODING_UTF8
                                                                     : ENCODING_GBK;
}

size_t mark_length(const unsigned char *bytes, size_t size, file_encoding encoding)
{
    switch (encoding) {
    case ENCODING_UTF16LE:
    case ENCODING_UTF16BE:
        return 2;
    case ENCODING_UTF8:
        return has_utf8_mark(bytes, size) ? 3 : 0;
    case ENCODING_GBK:
        break;
    }
    return 0;
}

// --- reading characters -------------------------------------------------------------

// One character of the decoded text: one or two bytes; none at the end of the text.
struct character {
    unsigned char bytes[2];
    int count;
};

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
static character from_code_point(long cp)
{
    if (cp == END)
        return END_OF_TEXT;
    if (cp == NOT_A_CHARACTER)
        return other();
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

static character read_gbk(file_bytes *f)
{
    if (f->at == f->end)
        return END_OF_TEXT;
    const int b = *f->at++;
    // A lone lead byte is one byte, so what follows it keeps its meaning.
    const bool lead = b >= 0x81 && b <= 0xFE;
    const int second = lead && f->at < f->end ? *f->at : -1;
    if (!((second >= 0x40 && second <= 0x7E) || (second >= 0x80 && second <= 0xFE)))
        return ascii(b);
    ++f->at;
    if (b == 0xA3 && second >= 0xB0 && second <= 0xB9)
        return ascii('0' + second - 0xB0);
    if (b == 0xA3 && second == 0xAC)
        return ascii(',');
    if (b == 0xA1 && second == 0xA1)
        return ascii(' ');
    return {{(unsigned char)b, (unsigned char)second}, 2};
}

// The code point of the next UTF-8 character, END, or NOT_A_CHARACTER.
static long utf8_code_point(file_bytes *f)
{
    if (f->at == f->end)
        return END;
    const int b = *f->at++;
    if (b < 0x80)
        return b;
    // A file judged UTF-8 by its mark alone may hold anything: an overlong form of an
    // ASCII character is never read as that character, and a byte that cannot continue
    // the character starts the next one.
    const int length = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
    static const long smallest[4] = {0, 0x80, 0x800, 0x10000};
    long cp = b & (0x3F >> length);
    for (int need = length; need > 0; --need, ++f->at) {
        if (f->at == f->end || (*f->at & 0xC0) != 0x80)
            return NOT_A_CHARACTER;
        cp = (cp << 6) | (*f->at & 0x3F);
    }
    return cp < smallest[length] ? NOT_A_CHARACTER : cp;
}

// One UTF-16 unit, or END when fewer than two bytes are left.
static long utf16_unit(file_bytes *f, bool little)
{
    if (f->end - f->at < 2)
        return END;
    const long first = f->at[0], second = f->at[1];
    f->at += 2;
    return little ? first | (second << 8) : (first << 8) | second;
}

static character read_utf16(file_bytes *f, bool little)
{
    const long u = utf16_unit(f, little);
    if (u >= 0xD800 && u <= 0xDBFF) {
        // A pair is one character; a lone high surrogate leaves the next unit unread.
        file_bytes after = *f;
        const long low = utf16_unit(&after, little);
        if (low >= 0xDC00 && low <= 0xDFFF)
            *f = after;
        return other();
    }
    return from_code_point(u);
}

static character read_character(file_bytes *f, file_encoding encoding)
{
    switch (encoding) {
    case ENCODING_UTF8:
        return from_code_point(utf8_code_point(f));
    case ENCODING_UTF16LE:
        return read_utf16(f, true);
    case ENCODING_UTF16BE:
        return read_utf16(f, false);
    case ENCODING_GBK:
        break;
    }
    return read_gbk(f);
}

static bool is_ascii(const character &c, int value)
{
    return c.count == 1 && c.bytes[0] == value;
}

bool decode_probe_file(const unsigned char *bytes, size_t size, bool whole, char *text,
                       size_t text_size, notice_fn notice)
{
    const file_encoding encoding = detect_encoding(bytes, size, whole);
    file_bytes f = {bytes + mark_length(bytes, size, encoding), bytes + size};
    // No character gives more than two bytes for each byte of the file it comes from.
    char chars[2 * PROBE_FILE_BOUND];
    size_t length = 0;
    bool ended = false; // by Ctrl+Z or a NUL, before the last byte read
    while (length + 2 <= sizeof chars) {
        character c = read_character(&f, encoding);
        if (c.count == 0)
            break;
        if (is_ascii(c, CTRL_Z) || is_ascii(c, 0)) {
            ended = true;
            break;
        }
        if (is_ascii(c, '\r')) {
            file_bytes after = f;
            if (is_ascii(read_character(&after, encoding), '\n')) {
                c = ascii('\n');
                f = after;
            }
        }
        for (int i = 0; i < c.count; ++i)
            chars[length++] = (char)c.bytes[i];
    }
    const bool cut = !ended && !whole;
    return build_probe_text(chars, length, cut, text, text_size, notice);
}
