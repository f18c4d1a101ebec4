#include "probe/record_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

#define LINE "12,34 56,78,90\n"
#define HOVER "12,34 60,80,99\n"
#define ROW12 "100,100 100,100,100\r\n" "100,100 100,100,100\r\n" "100,100 100,100,100\r\n" \
              "100,100 100,100,100\r\n" "100,100 100,100,100\r\n" "100,100 100,100,100\r\n" \
              "100,100 100,100,100\r\n" "100,100 100,100,100\r\n" "100,100 100,100,100\r\n" \
              "100,100 100,100,100\r\n" "100,100 100,100,100\r\n" "100,100 100,100,100\r\n"

std::string utf16(const std::u16string &text, bool little)
{
    std::string out;
    for (char16_t u : text) {
        const char low = (char)(u & 0xFF);
        const char high = (char)(u >> 8);
        out += little ? std::string{low, high} : std::string{high, low};
    }
    return out;
}

TEST(FormatRecordedLines, HoverColourIsTheSecondLine)
{
    char lines[64];
    ASSERT_TRUE(format_recorded_lines(lines, sizeof lines, 12, 34, 0x5A4E38, 0x5A4E38));
    EXPECT_STREQ(lines, LINE);
    ASSERT_TRUE(format_recorded_lines(lines, sizeof lines, 12, 34, 0x5A4E38, 0x63503C));
    EXPECT_STREQ(lines, LINE HOVER);
    // Too small for the second line: nothing, never the first alone.
    EXPECT_FALSE(format_recorded_lines(lines, 20, 12, 34, 0x5A4E38, 0x63503C));
    EXPECT_STREQ(lines, "");
}

TEST(BuildRecordedFile, Table)
{
    const std::string le = "\xFF\xFE", be = "\xFE\xFF", bom = "\xEF\xBB\xBF";
    const struct {
        const char *what;
        bool exists;
        std::string old;
        const char *lines;
        record_outcome outcome;
        std::string file; // the new file's bytes when made
        bool first_probes;
    } rows[] = {
        {"missing file", false, "", LINE, RECORD_MADE, "12,34 56,78,90\r\n", true},
        {"empty file", true, "", LINE, RECORD_MADE, "12,34 56,78,90\r\n", true},
        {"hover: two lines, in order", false, "", LINE HOVER, RECORD_MADE,
         "12,34 56,78,90\r\n12,34 60,80,99\r\n", true},
        {"GBK", true, "1,2 3,4,5\r\n", LINE, RECORD_MADE, "12,34 56,78,90\r\n1,2 3,4,5\r\n",
         false},
        {"GBK, no final line end", true, "1,2 3,4,5", LINE, RECORD_MADE,
         "12,34 56,78,90\r\n1,2 3,4,5", false},
        {"only line ends: the built-in list was in use", true, "\r\n\r\n", LINE, RECORD_MADE,
         "12,34 56,78,90\r\n\r\n\r\n", true},
        {"GBK, a line of words is probed", true, "钉钉\r\n", LINE, RECORD_MADE,
         "12,34 56,78,90\r\n钉钉\r\n", false},
        {"UTF-8 with mark", true, bom + u8"１,2 3,4,5\r\n", LINE, RECORD_MADE,
         bom + "12,34 56,78,90\r\n" + u8"１,2 3,4,5\r\n", false},
        {"UTF-8 without mark, no final line end", true, u8"1,2 3,4,5中", LINE, RECORD_MADE,
         "12,34 56,78,90\r\n" + std::string(u8"1,2 3,4,5中"), false},
        {"UTF-16 LE", true, le + utf16(u"１,2 3,4,5\r\n", true), LINE, RECORD_MADE,
         le + utf16(u"12,34 56,78,90\r\n１,2 3,4,5\r\n", true), false},
        {"UTF-16 BE, no final line end, odd byte", true,
         be + utf16(u"1,2 3,4,5", false) + "7", LINE, RECORD_MADE,
         be + utf16(u"12,34 56,78,90\r\n1,2 3,4,5", false) + "7", false},
        {"UTF-16 LE, only the mark", true, le, LINE, RECORD_MADE,
         le + utf16(u"12,34 56,78,90\r\n", true), true},
        // Already there, as typed in full width: nothing written.
        {"line present", true, "1,2 3,4,5\r\n１２，３４　５６，７８，９０\r\n", LINE,
         RECORD_ALREADY_THERE, "", false},
        {"both lines present", true, "12,34 60,80,99\n12,34 56,78,90", LINE HOVER,
         RECORD_ALREADY_THERE, "", false},
        {"one of two present: both written", true, "12,34 56,78,90\r\n", LINE HOVER,
         RECORD_MADE, "12,34 56,78,90\r\n12,34 60,80,99\r\n12,34 56,78,90\r\n", false},
        // 244 bytes of text: the 15 of the line fit, to the last of 259.
        {"one line short of full", true, ROW12 "1,2\r\n", LINE, RECORD_MADE,
         "12,34 56,78,90\r\n" ROW12 "1,2\r\n", false},
        {"full", true, ROW12 "1,23\r\n", LINE, RECORD_NO_ROOM, "", false},
        {"full, UTF-16", true, le + utf16(u"" ROW12 "1,23\r\n", true), LINE, RECORD_NO_ROOM, "",
         false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        recorded_file out;
        const record_outcome outcome = build_recorded_file(
            (const unsigned char *)row.old.data(), row.old.size(), true, row.lines, &out);
        EXPECT_EQ(outcome, row.outcome);
        if (outcome == RECORD_MADE) {
            EXPECT_EQ(std::string((const char *)out.bytes, out.size), row.file);
        }
        EXPECT_EQ(out.first_probes, row.first_probes);
    }
}

TEST(BuildRecordedFile, RefusalsSayWhatIsLeft)
{
    recorded_file out;
    const std::string full = ROW12 "1,23\r\n"; // 245 bytes of probe text
    ASSERT_EQ(build_recorded_file((const unsigned char *)full.data(), full.size(), true, LINE,
                                  &out),
              RECORD_NO_ROOM);
    EXPECT_EQ(out.room, 14);
    EXPECT_EQ(out.need, 15);
    // Larger than what is read of it: its end cannot be copied.
    EXPECT_EQ(build_recorded_file((const unsigned char *)"1,2 3,4,5\r\n", 11, false, LINE, &out),
              RECORD_FILE_TOO_LARGE);
}

} // namespace
