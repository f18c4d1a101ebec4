#include "probe/probe_encoding.h"

#include "support/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int notice_count;

void count(load_notice, int)
{
    ++notice_count;
}

std::string decode(const std::string &file)
{
    notice_count = 0;
    char text[TEXT_SIZE];
    memset(text, 'z', sizeof text);
    decode_probe_file((const unsigned char *)file.data(), file.size(), true, text, sizeof text,
                      count);
    return std::string(text);
}

std::string utf16(const std::u16string &text, bool little, bool mark = true)
{
    std::string out;
    if (mark)
        out = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t u : text) {
        const char low = (char)(u & 0xFF);
        const char high = (char)(u >> 8);
        out += little ? std::string{low, high} : std::string{high, low};
    }
    return out;
}

// Sources are built for GBK, so a plain literal is the GBK bytes; u8 and u literals are
// UTF-8 and UTF-16 whatever the build.
#define FULL_WIDTH "５００，３００　１，２，３"
#define OTHER "\xA3\xBF" // a character we do not read, as two bytes

TEST(DecodeProbeFile, EncodingsAndForms)
{
    const struct {
        const char *what;
        std::string file, text;
    } rows[] = {
        {"ANSI, CR LF", "500,300 1,2,3\r\n", "500,300 1,2,3\n"},
        {"ANSI, full width", FULL_WIDTH "\r\n", "500,300 1,2,3\n"},
        {"ANSI, a lone CR stays", "1,2 3,4,5\r6\r\n", "1,2 3,4,5\r6\n"},
        {"ANSI, Ctrl+Z ends the text", "1,2 3,4,5\r\n\x1A" "6,7 8,9,0\r\n", "1,2 3,4,5\n"},
        {"ANSI, tab", "500,300\t1,2,3\r\n", "500,300\t1,2,3\n"},
        // 锛 is EF BC, 尅 is 8C A1: not a comma, as the file is not UTF-8.
        {"ANSI, 锛 before 8C", "50锛尅30 1,2,3\r\n", "50锛尅30 1,2,3\n"},
        {"ANSI, lone lead byte", "500,300\x81 1,2,3", "500,300\x81 1,2,3\n"},
        // A lead byte with no second byte is one byte: the line end and Ctrl+Z after it keep
        // their meaning. 23 bytes with the lead byte, so not too long.
        {"ANSI, lone lead byte before CR LF", "1,2 3,4,,,,,,,,,,,,,,5\x81\r\n7,8 9,0,1",
         "1,2 3,4,,,,,,,,,,,,,,5\x81\n7,8 9,0,1\n"},
        {"ANSI, lone lead byte before Ctrl+Z", "5\x81\x1A" "6,7 8,9,0", "5\x81\n"},
        {"ANSI, full-width 0 and 9", "０,９ ９,０,９", "0,9 9,0,9\n"},
        {"UTF-8, full-width 0 and 9", u8"０,９ ９,０,９", "0,9 9,0,9\n"},
        {"UTF-16 LE, full-width 0 and 9", utf16(u"０,９ ９,０,９", true), "0,9 9,0,9\n"},
        {"UTF-8, full width", u8"５００，３００　１，２，３\r\n", "500,300 1,2,3\n"},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + std::string(u8"５００，３００　１，２，３"),
         "500,300 1,2,3\n"},
        {"UTF-8, a Chinese character before a full-width comma", u8"500中，300 1，2，3\r\n",
         "500" OTHER ",300 1,2,3\n"},
        {"UTF-8, a character of four bytes", u8"1,2 3,4,5\U0001F600\n", "1,2 3,4,5" OTHER "\n"},
        {"UTF-8 only by its mark", "\xEF\xBB\xBF" "1,2 3,4,5\xFF\n", "1,2 3,4,5" OTHER "\n"},
        // Nor is a stray or overlong ',' of such a file ever a comma.
        {"UTF-8 by its mark, stray byte", "\xEF\xBB\xBF" "1\xAC" "2 3,4,5", "1" OTHER "2 3,4,5\n"},
        {"UTF-8 by its mark, overlong", "\xEF\xBB\xBF" "1\xE0\x80\xAC" "2 3,4,5",
         "1" OTHER "2 3,4,5\n"},
        // Nor any other byte that UTF-8 does not allow: an overlong digit, a surrogate, a
        // lead byte F8 to FF, a character the end of the file cuts.
        {"UTF-8 by its mark, overlong digit", "\xEF\xBB\xBF" "\xC0\xB1" "00,200 1,2,3",
         OTHER "00,200 1,2,3\n"},
        {"UTF-8 by its mark, surrogate", "\xEF\xBB\xBF" "1\xED\xA0\x80" "2 3,4,5",
         "1" OTHER "2 3,4,5\n"},
        {"UTF-8 by its mark, lead byte F8", "\xEF\xBB\xBF" "1\xF8\x88\x80\x80" ",2 3,4,5",
         "1" OTHER ",2 3,4,5\n"},
        {"UTF-8 by its mark, lead byte FE before a digit", "\xEF\xBB\xBF" "1\xFE" "2 3,4,5",
         "1" OTHER "2 3,4,5\n"},
        {"UTF-8 by its mark, cut by the end", "\xEF\xBB\xBF" "1,2 3,4,5\xE4\xB8",
         "1,2 3,4,5" OTHER "\n"},
        {"UTF-16 LE", utf16(u"500,300 1,2,3\r\n", true), "500,300 1,2,3\n"},
        {"UTF-16 BE", utf16(u"500,300 1,2,3\r\n", false), "500,300 1,2,3\n"},
        {"UTF-16 LE, full width, tab, a comment line",
         utf16(u"钉钉直播\r\n５００，３００\t１，２，３\r\n", true),
         OTHER OTHER OTHER OTHER "\n500,300\t1,2,3\n"},
        {"UTF-16 LE, 业 (1A 4E) is no Ctrl+Z", utf16(u"业\r\n1,2 3,4,5", true),
         OTHER "\n1,2 3,4,5\n"},
        {"UTF-16 BE, a pair of surrogates", utf16(u"1,2 3,4,5\U0001F600", false),
         "1,2 3,4,5" OTHER "\n"},
        {"UTF-16 LE, a lone surrogate", utf16(u"1,2 3,4,5\xD800" u"6", true),
         "1,2 3,4,5" OTHER "6\n"},
        // A cut file: the half unit at its end is no character.
        {"UTF-16 LE, odd byte count", utf16(u"1,2 3,4,5\r\n", true) + "6", "1,2 3,4,5\n"},
        {"UTF-16 LE, cut after the mark", "\xFF\xFE" "5", ""},
        {"UTF-16 BE, NUL unit ends the text", utf16(u"1,2 3,4,5\r\n", false) + '\0' + '\0' +
                                                 utf16(u"6,7 8,9,0", false, false),
         "1,2 3,4,5\n"},
        // Text mode and the line rules work on the decoded text.
        {"UTF-16 LE, CR CR LF", utf16(u"1,2 3,4,5\r\r\n", true), "1,2 3,4,5\r\n"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(decode(row.file), row.text) << row.what;
        EXPECT_EQ(notice_count, 0) << row.what;
    }
}

TEST(DecodeProbeFile, LimitsCountTheDecodedText)
{
    // 12 lines of 19 characters: 240 bytes as text, 482 as UTF-16 with its mark.
    std::u16string lines;
    for (int i = 0; i < 12; ++i)
        lines += u"100,100 100,100,100\n";
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "100,100 100,100,100\n";
    EXPECT_EQ(decode(utf16(lines, true)), text);
    EXPECT_EQ(notice_count, 0);

    // 23 full-width characters are 23 bytes once decoded: the longest line probed.
    EXPECT_EQ(decode("１，２　３，４，，，，，，，，，，，，，，，５"),
              "1,2 3,4,,,,,,,,,,,,,,,5\n");
    EXPECT_EQ(notice_count, 0);
    // A Chinese character counts two bytes in UTF-8 as in GBK: 24 here, left out.
    EXPECT_EQ(decode(u8"1,2 3,4,,,,,,,,,,,,,,,中\n6,7 8,9,0"), "6,7 8,9,0\n");
    EXPECT_EQ(notice_count, 1);
    EXPECT_EQ(decode("1,2 3,4,,,,,,,,,,,,,,,中\n6,7 8,9,0"), "6,7 8,9,0\n");
    EXPECT_EQ(notice_count, 1);
}

TEST(DetectEncoding, Table)
{
    const struct {
        std::string file;
        file_encoding encoding;
    } rows[] = {
        {"", ENCODING_GBK},
        {"1,2 3,4,5\n", ENCODING_GBK},               // ASCII reads the same either way
        {"\xFF\xFE" "1", ENCODING_UTF16LE},
        {"\xFE\xFF", ENCODING_UTF16BE},
        {"\xEF\xBB\xBF", ENCODING_UTF8},
        {"\xEF\xBB\xBF" "\xFF", ENCODING_UTF8},      // the mark decides
        {u8"１", ENCODING_UTF8},
        {"１", ENCODING_GBK},                        // A3 B1
        {"\xEF\xBB", ENCODING_GBK},                  // cut UTF-8
        {"\xC0\x80", ENCODING_GBK},                  // overlong
        {"\xE0\x80\xAC", ENCODING_GBK},
        {"\xED\xA0\x80", ENCODING_GBK},              // a surrogate
        {"\xF4\x90\x80\x80", ENCODING_GBK},          // past U+10FFFF
        {"\xF0\x9F\x98\x80", ENCODING_UTF8},
        {std::string("1\0\xB0", 3), ENCODING_GBK},   // judged up to the NUL: no high byte
        {std::string(u8"中") + "\x1A\xB0", ENCODING_UTF8}, // and up to Ctrl+Z
    };
    for (const auto &row : rows) {
        EXPECT_EQ(detect_encoding((const unsigned char *)row.file.data(), row.file.size()),
                  row.encoding) << "file \"" << row.file << "\"";
    }
}

} // namespace
