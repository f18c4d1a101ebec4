#include "probe/probe_text.h"

#include "probe/probe_encoding.h"

#include "support/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

#define U8C "\xEF\xBC\x8C" // the full-width comma as UTF-8
#define U8C22 ",,,,,,,,,,,,,,,,,,,,,,"

std::vector<std::pair<load_notice, int>> notices;

void collect(load_notice what, int line_number)
{
    notices.push_back({what, line_number});
}

// The file's bytes as the loader reads them: encoding decided, decoded, lines kept.
std::string load(const std::string &file, size_t size = TEXT_SIZE)
{
    notices.clear();
    std::vector<char> text(size, 'z');
    decode_probe_file((const unsigned char *)file.data(), file.size(), true, text.data(), size,
                      collect);
    return std::string(text.data());
}

TEST(BuildProbeText, LineRules)
{
    const struct {
        std::string file, text;
    } rows[] = {
        {"1,2 3,4,5", "1,2 3,4,5\n"},                // a final newline is added
        {"1,2 3,4,5\n", "1,2 3,4,5\n"},
        {"\n1,2 3,4,5\n", "1,2 3,4,5\n"},            // one leading empty line dropped
        {"\n\n1,2 3,4,5\n", "\n1,2 3,4,5\n"},        // the second one stays
        {"\n", ""},
        {"\n\n\n", "\n\n"},
        {std::string("1,2 3,4,5\n6,7 8", 15) + '\0' + "9,9 9,9,9\n", "1,2 3,4,5\n6,7 8\n"},
        {"a\n\nb\n", "a\n\nb\n"},
        // As Notepad saves it: a UTF-8 mark starts the file, full-width commas as UTF-8
        // or GBK become ',' and count as one byte each.
        {"\xEF\xBB\xBF" "1,2 3,4,5\n", "1,2 3,4,5\n"},
        {"\xEF\xBB\xBF", ""},
        // Only at the start; elsewhere it is a character of two bytes, as in GBK.
        {"1,2 3,4,5\n\xEF\xBB\xBF" "6\n", "1,2 3,4,5\n\xA3\xBF" "6\n"},
        {"\xEF\xBB\xBF" "500" U8C "300 1" U8C "2" U8C "3\n", "500,300 1,2,3\n"},
        {"1234" U8C "1234 255" U8C "255" U8C "255\n", "1234,1234 255,255,255\n"},
        {"1234，1234 255，255，255\n", "1234,1234 255,255,255\n"},
        {"\xEF\xBB\xBF" U8C U8C U8C U8C U8C U8C U8C U8C U8C U8C U8C U8C U8C U8C U8C U8C U8C U8C
         U8C U8C U8C U8C "5", U8C22 "5\n"},
        // A GBK character whose second byte is A3 is not the start of a comma.
        {"1,2 3\xB0\xA3\xAC" "4\n", "1,2 3\xB0\xA3\xAC" "4\n"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(load(row.file), row.text) << "file \"" << row.file << "\"";
        EXPECT_TRUE(notices.empty());
    }
}

TEST(BuildProbeText, UnusableLinesAreLeftOutAndReported)
{
    const std::string file = "1,1 1,1,1\n"
                             "1,2 3,4,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,5\n" // line 2: too long
                             "2,2 2,2,2\n"
                             "1,2 3,4,1234567890\n" // line 4: a ten-character value
                             "3,3 3,3,3\n"
                             "1，2 3,4,,,,,,,,,,,,,,,,,\n" // line 6: 24 bytes once ','
                             "\xEF\xBC\x8C,,,,,,,,,,,,,,,,,,,,,,5\n" // line 7: the same
                             "4,4 4,4,4";
    EXPECT_EQ(load(file), "1,1 1,1,1\n2,2 2,2,2\n3,3 3,3,3\n4,4 4,4,4\n");
    const std::vector<std::pair<load_notice, int>> expected = {
        {NOTICE_LINE_TOO_LONG, 2}, {NOTICE_VALUE_TOO_LONG, 4}, {NOTICE_LINE_TOO_LONG, 6},
        {NOTICE_LINE_TOO_LONG, 7}};
    EXPECT_EQ(notices, expected);
}

TEST(BuildProbeText, OnlyWholeLinesThatFit)
{
    // 13 lines of 19 characters and their newline: 260 bytes, one more than fits.
    std::string file;
    for (int i = 0; i < 13; ++i)
        file += "100,100 100,100,100\n";
    const std::string text = load(file);
    EXPECT_EQ(text, file.substr(0, 12 * 20));
    const std::vector<std::pair<load_notice, int>> expected = {{NOTICE_TEXT_FULL, 13}};
    EXPECT_EQ(notices, expected);

    // The first line that does not fit ends the text, though a shorter one after it would.
    EXPECT_EQ(load(file + "1,2 3,4,5\n"), file.substr(0, 12 * 20));
    EXPECT_EQ(notices, expected);

    // Exactly 259 bytes with the newline that loading adds: all of it.
    std::string fits = file.substr(0, 12 * 20) + "12,34 56,78,901234";
    EXPECT_EQ(load(fits), fits + "\n");
    EXPECT_TRUE(notices.empty());
}

TEST(DecodeProbeFile, OnlyWhatIsReadOfALargerFile)
{
    // Lines left out for their length take the bytes read; the line the bound cuts, and
    // all after it, are left out and reported, and no cut line is ever probed.
    std::string file;
    for (int i = 0; i < 30; ++i)
        file += "1,2 3,4,,,,,,,,,,,,,,,,,,5\r\n"; // 26 bytes, too long: left out
    file += "7,8 9,9,9\r\n";
    const size_t cut_at = PROBE_FILE_BOUND;
    file += std::string(cut_at - file.size() - 4, ' ') + "\r\n12,34 56,78,90\r\n";
    notices.clear();
    char text[TEXT_SIZE];
    EXPECT_FALSE(decode_probe_file((const unsigned char *)file.data(), cut_at, false, text,
                                   sizeof text, collect));
    EXPECT_STREQ(text, "7,8 9,9,9\n");
    ASSERT_EQ(notices.size(), 32u);
    EXPECT_EQ(notices[30], std::make_pair(NOTICE_LINE_TOO_LONG, 32)); // the run of spaces
    EXPECT_EQ(notices[31], std::make_pair(NOTICE_FILE_CUT, 33));      // "12" is no probe

    // A UTF-8 character cut by the bound leaves the file UTF-8.
    const std::string utf8 = u8"1,2 3,4,5 中";
    EXPECT_EQ(detect_encoding((const unsigned char *)utf8.data(), utf8.size() - 1, false),
              ENCODING_UTF8);
    EXPECT_EQ(detect_encoding((const unsigned char *)utf8.data(), utf8.size() - 1, true),
              ENCODING_GBK);
}

// A file of exactly size bytes in encoding: a line too long to be probed, then
// "12,34 56,78,90" and its line end; a UTF-16 file of an odd size ends in a stray byte.
std::string file_of_size(file_encoding encoding, size_t size)
{
    const std::string last = "12,34 56,78,90\r\n";
    if (encoding == ENCODING_GBK || encoding == ENCODING_UTF8) {
        const std::string mark = encoding == ENCODING_UTF8 ? "\xEF\xBB\xBF" : "";
        return mark + std::string(size - mark.size() - 2 - last.size(), 'x') + "\r\n" + last;
    }
    const std::string text = std::string((size - 2) / 2 - 2 - last.size(), 'x') + "\r\n" + last;
    std::string out = encoding == ENCODING_UTF16LE ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : text)
        out += encoding == ENCODING_UTF16LE ? std::string{c, '\0'} : std::string{'\0', c};
    return out + std::string(size - out.size(), '7');
}

TEST(DecodeProbeFile, AtTheReadBoundAndOneByteOver)
{
    const file_encoding encodings[] = {ENCODING_GBK, ENCODING_UTF8, ENCODING_UTF16LE,
                                       ENCODING_UTF16BE};
    for (file_encoding encoding : encodings) {
        SCOPED_TRACE(encoding);
        // Read whole: its last line is probed.
        const std::string at = file_of_size(encoding, PROBE_FILE_BOUND);
        ASSERT_EQ(at.size(), (size_t)PROBE_FILE_BOUND);
        EXPECT_EQ(detect_encoding((const unsigned char *)at.data(), at.size()), encoding);
        notices.clear();
        char text[TEXT_SIZE];
        EXPECT_TRUE(decode_probe_file((const unsigned char *)at.data(), at.size(), true, text,
                                      sizeof text, collect));
        EXPECT_STREQ(text, "12,34 56,78,90\n");
        EXPECT_EQ(notices, (std::vector<std::pair<load_notice, int>>{{NOTICE_LINE_TOO_LONG, 1}}));
        // One byte more: what is read ends inside the last line, which is never probed.
        const std::string over = file_of_size(encoding, PROBE_FILE_BOUND + 1);
        notices.clear();
        EXPECT_FALSE(decode_probe_file((const unsigned char *)over.data(), PROBE_FILE_BOUND,
                                       false, text, sizeof text, collect));
        EXPECT_STREQ(text, "");
        EXPECT_EQ(notices, (std::vector<std::pair<load_notice, int>>{{NOTICE_LINE_TOO_LONG, 1},
                                                                     {NOTICE_FILE_CUT, 2}}));
    }
}

TEST(BuildProbeText, SmallBufferNeverOverrun)
{
    std::vector<char> text(12, 'z');
    const std::string chars = "1,2 3,4,5\n6,7 8,9,0\n";
    notices.clear();
    build_probe_text(chars.data(), chars.size(), false, text.data(), 11, collect);
    EXPECT_STREQ(text.data(), "1,2 3,4,5\n");
    EXPECT_EQ(text[11], 'z');
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].second, 2);
}

} // namespace
