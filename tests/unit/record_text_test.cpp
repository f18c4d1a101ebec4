#include "probe/record_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

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
        // The last line lies beyond what the scan reads already: the lines it reads stay.
        {"last line already beyond", true, ROW12 "1234,5678 123,123,123\r\n", LINE, RECORD_MADE,
         "12,34 56,78,90\r\n" ROW12 "1234,5678 123,123,123\r\n", false},
        // A longer line that begins with the recorded one is another line.
        {"a longer line begins with it", true, "12,34 56,78,901\r\n", LINE, RECORD_MADE,
         "12,34 56,78,90\r\n12,34 56,78,901\r\n", false},
        // A line the scan would skip for its length is never written.
        {"longer than a probed line", false, "", "-10000,-1000 255,255,255\n", RECORD_NOT_PROBED,
         "", false},
        {"far left, short enough", false, "", "-10000,500 1,2,3\n", RECORD_MADE,
         "-10000,500 1,2,3\r\n", true},
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

// A GBK file of size bytes: the twelve rows, then one line too long to be probed.
std::string sized_file(size_t size)
{
    std::string file = ROW12;
    file += std::string(size - file.size() - 2, 'x') + "\r\n";
    return file;
}

TEST(BuildRecordedFile, RefusalsSayWhatIsLeft)
{
    const std::string le = "\xFF\xFE";
    const struct {
        const char *what;
        std::string old;
        bool whole;
        record_outcome outcome;
        int room, need; // the figures the refusal gives
    } rows[] = {
        // Probe text: 245 of 259 bytes; the line takes 15.
        {"full", ROW12 "1,23\r\n", true, RECORD_NO_ROOM, 14, 15},
        {"full, UTF-16", le + utf16(u"" ROW12 "1,23\r\n", true), true, RECORD_NO_ROOM, 14, 15},
        // An empty first line is skipped only at the start: after the record it is a line.
        {"begins with an empty line", "\r\n" ROW12 "1,2\r\n", true, RECORD_NO_ROOM, 15, 16},
        {"begins with an empty line, fits", "\r\n" ROW12 "1\r\n", true, RECORD_MADE, 17, 16},
        // The file's bytes: the read bound is the limit, figures in bytes of the file.
        {"at the read bound", sized_file(PROBE_FILE_BOUND), true, RECORD_FILE_FULL, 0, 16},
        {"one byte short of room", sized_file(PROBE_FILE_BOUND - 15), true, RECORD_FILE_FULL, 15,
         16},
        {"room to the last byte", sized_file(PROBE_FILE_BOUND - 16), true, RECORD_MADE, 19, 15},
        {"at the read bound, UTF-16", le + utf16(std::u16string(520, u'x'), true), true,
         RECORD_FILE_FULL, 1, 32},
        // Larger than what is read of it: its end cannot be copied.
        {"one byte over the bound", sized_file(PROBE_FILE_BOUND + 1).substr(0, PROBE_FILE_BOUND),
         false, RECORD_FILE_TOO_LARGE, 0, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        recorded_file out;
        EXPECT_EQ(build_recorded_file((const unsigned char *)row.old.data(), row.old.size(),
                                      row.whole, LINE, &out),
                  row.outcome);
        EXPECT_EQ(out.room, row.room);
        EXPECT_EQ(out.need, row.need);
    }
}

TEST(RecordAwayPoint, OnTheScreenAndAway)
{
    const struct {
        long x, y, width, height;
        long away_x, away_y;
    } rows[] = {
        {214, 109, 1280, 1024, 946, 109},  // right of the client's window
        {214, 109, 1920, 1080, 946, 109},
        {950, 500, 1280, 1024, 950, 656},  // beside the right: below the client instead
        {1000, 500, 1280, 1024, 946, 500}, // outside, far enough from the right
        {940, 650, 1280, 1024, 0, 0},      // near both: the farthest corner
        {214, 109, 930, 1024, 214, 656},   // no room on the right: below
        {214, 109, 910, 512, 909, 511},    // a screen smaller than the client
        {800, 400, 910, 512, 0, 0},
        {214, 109, 930, 640, 929, 639},
        {-5, 3000, 1280, 1024, 946, 1023}, // a point off the screen: kept on it
    };
    for (const auto &row : rows) {
        long x = -1;
        long y = -1;
        record_away_point(row.x, row.y, row.width, row.height, &x, &y);
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(row.away_x, row.away_y))
            << row.x << "," << row.y << " on " << row.width << "x" << row.height;
        EXPECT_TRUE(x >= 0 && x < row.width && y >= 0 && y < row.height);
        EXPECT_TRUE(labs(x - row.x) >= RECORD_AWAY || labs(y - row.y) >= RECORD_AWAY);
    }
}

} // namespace
