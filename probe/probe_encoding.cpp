#include "probe/probe_encoding.h"

static const long CTRL_Z = 0x1A; // the end of a text file for the C runtime's text mode

// A character of the decoded text is a value: one byte below 0x100, else two, the high
// one first (a GBK character). One that is neither ASCII nor a full-width form we read
// is two bytes, as GBK would take, walked as one character: the full-width question mark.
static const long OTHER = 0xA3BF;
static const long END = -1;      // no character left in the bytes
static const long NOT_UTF8 = -2; // bytes that are no UTF-8 character

// The file's bytes and where the next character starts.
struct file_bytes {
    const unsigned char *at;
    const unsigned char *end;
};

// The full-width forms an input method types: digits, comma, ideographic space.
static long from_code_point(long cp)
{
    if (cp < 0)
        return cp == END ? END : OTHER;
    if (cp >= 0xFF10 && cp <= 0xFF19)
        return '0' + (cp - 0xFF10);
    if (cp == 0xFF0C)
        return ',';
    if (cp == 0x3000)
        return ' ';
    return cp < 0x80 ? cp : OTHER;
}

static long read_gbk(file_bytes *f)
{
    if (f->at == f->end)
        return END;
    const long b = *f->at++;
    // A lone lead byte is one byte, so what follows it keeps its meaning.
    const long second = b >= 0x81 && b <= 0xFE && f->at < f->end ? *f->at : -1;
    if (!((second >= 0x40 && second <= 0x7E) || (second >= 0x80 && second <= 0xFE)))
        return b;
    ++f->at;
    const long pair = b << 8 | second;
    if (pair >= 0xA3B0 && pair <= 0xA3B9)
        return '0' + (pair - 0xA3B0);
    return pair == 0xA3AC ? ',' : pair == 0xA1A1 ? ' ' : pair;
}

// The code point of the next UTF-8 character, END, or NOT_UTF8. A file judged UTF-8 by
// its mark alone may hold anything: an overlong form of an ASCII character is never read
// as that character, and a byte that cannot continue a character starts the next one.
static long utf8_code_point(file_bytes *f)
{
    if (f->at == f->end)
        return END;
    const int b = *f->at++;
    if (b < 0x80)
        return b;
    const int length = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
    static const long smallest[4] = {0, 0x80, 0x800, 0x10000};
    long cp = b & (0x3F >> length);
    for (int need = length; need > 0; --need, ++f->at) {
        if (f->at == f->end || (*f->at & 0xC0) != 0x80)
            return NOT_UTF8;
        cp = (cp << 6) | (*f->at & 0x3F);
    }
    return cp < smallest[length] ? NOT_UTF8 : cp;
}

// One UTF-16 character; a pair of surrogates is one, a lone high one leaves the next
// unit unread. Fewer than two bytes left are no unit.
static long read_utf16(file_bytes *f, bool little)
{
    long units[2] = {END, END};
    file_bytes after = *f;
    for (long &u : units) {
        if (after.end - after.at < 2)
            break;
        u = little ? after.at[0] | (after.at[1] << 8) : (after.at[0] << 8) | after.at[1];
        after.at += 2;
    }
    const bool high = units[0] >= 0xD800 && units[0] <= 0xDBFF;
    const bool pair = high && units[1] >= 0xDC00 && units[1] <= 0xDFFF;
    f->at = units[0] == END ? f->end : f->at + (pair ? 4 : 2);
    return high ? OTHER : from_code_point(units[0]);
}

// Valid UTF-8 up to the end of the text, with a byte of 0x80 or above: no overlong form,
// no surrogate, nothing past U+10FFFF. A character cut by the end of bytes that are only
// the start of the file is judged as far as it goes.
static bool reads_as_utf8(const unsigned char *bytes, size_t size, bool whole)
{
    file_bytes f = {bytes, bytes + size};
    bool high = false;
    while (f.at < f.end && *f.at != 0 && *f.at != CTRL_Z) {
        const unsigned char lead = *f.at;
        const long cp = utf8_code_point(&f);
        if (lead < 0x80)
            continue;
        high = true;
        if (cp == NOT_UTF8 && f.at == f.end && !whole)
            return true;
        if (lead < 0xC2 || lead > 0xF4 || cp == NOT_UTF8 || (cp >= 0xD800 && cp <= 0xDFFF) ||
            cp > 0x10FFFF)
            return false;
    }
    return high;
}

static bool has_utf8_mark(const unsigned char *bytes, size_t size)
{
    return size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
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
    if (encoding == ENCODING_UTF16LE || encoding == ENCODING_UTF16BE)
        return 2;
    return encoding == ENCODING_UTF8 && has_utf8_mark(bytes, size) ? 3 : 0;
}

static long read_character(file_bytes *f, file_encoding encoding)
{
    if (encoding == ENCODING_UTF8)
        return from_code_point(utf8_code_point(f));
    if (encoding == ENCODING_GBK)
        return read_gbk(f);
    return read_utf16(f, encoding == ENCODING_UTF16LE);
}

bool decode_probe_file(const unsigned char *bytes, size_t size, bool whole, char *text,
                       size_t text_size, notice_fn notice)
{
    const file_encoding encoding = detect_encoding(bytes, size, whole);
    file_bytes f = {bytes + mark_length(bytes, size, encoding), bytes + size};
    // No character gives more than two bytes for each byte of the file it comes from.
    char chars[2 * PROBE_FILE_BOUND];
    size_t length = 0;
    long c = read_character(&f, encoding);
    // Ctrl+Z ends the text, as a NUL ends it for the line rules.
    for (; c != END && c != CTRL_Z && c != 0 && length + 2 <= sizeof chars;
         c = read_character(&f, encoding)) {
        file_bytes after = f;
        if (c == '\r' && read_character(&after, encoding) == '\n') {
            c = '\n'; // text mode: CR LF is one line end
            f = after;
        }
        if (c > 0xFF)
            chars[length++] = (char)(c >> 8);
        chars[length++] = (char)c;
    }
    const bool cut = !whole && c != CTRL_Z && c != 0;
    return build_probe_text(chars, length, cut, text, text_size, notice);
}
