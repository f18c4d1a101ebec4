#include "probe/probe_line.h"
#include "probe/readout_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct fields_row {
    const char *line;
    bool ok;
    int x, y;
    const char *key;
};

// Source files are UTF-8 and built for GBK, so Chinese text here is GBK bytes.
const fields_row FIELDS[] = {
    {"214,109 255,146,62", true, 214, 109, "25514662"},
    {"214 109,,255 146 62", true, 214, 109, "25514662"},
    {"5,6 1,2", true, 5, 6, "120"},
    {"5,6 1,2,3,4", true, 5, 6, "123"},
    {"1,2 3,4,,,,,,,,,,,5", true, 1, 2, "345"},
    {"1,2 3,4,,,,,,,,,,,,5", true, 1, 2, "345"},        // read whole, not 20 positions
    {"1234,1234 255,255,255", true, 1234, 1234, "255255255"},
    {"12a,x9 1,2,3", true, 12, 0, "123"},
    {" ", true, 0, 0, "000"},                          // only separators: black at 0,0
    {"-5,+7 -1,300,2", true, -5, 7, "-13002"},          // no range check
    {"钉钉,1 2,3,4", true, 0, 1, "234"},                // GBK text is one token
    {"500,300\t1,2,3", true, 500, 300, "123"},          // a tab separates
    // Decoded text only: 锛 (EF BC) and 尅 (8C A1) are two characters, not a UTF-8 comma.
    {"50锛尅30 1,2,3", true, 50, 1, "230"},
    // A lead byte pairs only with a valid second byte: a separator after it stays one.
    {"500,300\x81 1,2,3", true, 500, 300, "123"},
    {"5,6\x81,7 8,9", true, 5, 6, "789"},
    {"1\xFE\n2 3,4,5", true, 1, 2, "345"},
    {"1\x81@,2 3,4,5", true, 1, 2, "345"},              // '@' is a second byte
    {"1\x81" "\x80" "2,3 4,5,6", true, 1, 3, "456"},     // so is 0x80
    {"1,2 3,4,5\r", true, 1, 2, "345"},                 // a stray CR ends the number
    {"1,2 3,4,123456789", true, 1, 2, "34123456789"},   // nine characters fit
    {"1,2 3,4,1234567890", false, 0, 0, ""},            // ten do not
    {"1,2 3,4,5 1234567890", false, 0, 0, ""},          // not even in an ignored value
    {"", false, 0, 0, ""},
};

TEST(ReadProbeFields, Table)
{
    for (const fields_row &row : FIELDS) {
        SCOPED_TRACE(std::string("line \"") + row.line + "\"");
        int x = -99;
        int y = -99;
        char key[KEY_SIZE];
        memset(key, 'z', sizeof key);
        EXPECT_EQ(read_probe_fields(row.line, &x, &y, key, sizeof key), row.ok);
        EXPECT_STREQ(key, row.key);
        if (row.ok) {
            EXPECT_EQ(x, row.x);
            EXPECT_EQ(y, row.y);
        } else {
            EXPECT_EQ(x, -99) << "x written for a refused line";
        }
    }
}

TEST(ReadProbeFields, KeyThatDoesNotFitIsRefused)
{
    int x = 0;
    int y = 0;
    char key[8];
    EXPECT_FALSE(read_probe_fields("1,2 255,255,255", &x, &y, key, sizeof key));
    EXPECT_STREQ(key, "");
}

TEST(ColourKey, DifferentColoursCanShareAKey)
{
    char a[KEY_SIZE];
    char b[KEY_SIZE];
    ASSERT_TRUE(make_colour_key(a, sizeof a, 1, 11, 1));
    ASSERT_TRUE(make_colour_key(b, sizeof b, 11, 1, 1));
    EXPECT_STREQ(a, b);
}

TEST(ColourKey, FromScreenColour)
{
    const struct {
        unsigned long colour;
        bool readable;
        const char *key;
    } rows[] = {
        {0x003E92FFUL, true, "25514662"},  // 255,146,62 as GetPixel gives it
        {0x00FFFFFFUL, true, "255255255"}, // real white still matches a white probe
        {0x00000000UL, true, "000"},
        {0xFFFFFFFFUL, false, ""},         // CLR_INVALID is not white
    };
    for (const auto &row : rows) {
        char key[KEY_SIZE];
        memset(key, 'z', sizeof key);
        EXPECT_EQ(screen_colour_key(key, sizeof key, row.colour), row.readable) << std::hex << row.colour;
        EXPECT_STREQ(key, row.key) << std::hex << row.colour;
    }
}

// What an 80-column console shows of the readout's output: a return goes back to the
// start of the one line, every other byte (a column, in GBK) is written over what stood
// there. Fails the test where a stretch between two returns would reach column 80 and wrap.
std::string console_line(const std::string &output)
{
    std::string line;
    size_t column = 0;
    size_t stretch = 0;
    for (char c : output) {
        if (c == '\r') {
            column = 0;
            stretch = 0;
            continue;
        }
        EXPECT_LT(++stretch, 80u) << "wraps: " << output;
        if (column < line.size())
            line[column] = c;
        else
            line += c;
        ++column;
    }
    return line.substr(0, line.find_last_not_of(' ') + 1);
}

TEST(ReadoutLine, ShowsTheCurrentReadingOnly)
{
    const struct {
        long x, y;
        unsigned long colour;
        const char *shown;
    } rows[] = {
        {-2147483647L - 1, -2147483647L - 1, 0x00FFFFFFUL,
         "当前鼠标位置：X:-2147483648 Y:-2147483648， RGB值：255,255,255"},
        {1000, 1000, 0x00FFFFFFUL, "当前鼠标位置：X:1000 Y:1000， RGB值：255,255,255"},
        {1000, 1000, 0x00000000UL, "当前鼠标位置：X:1000 Y:1000， RGB值：0,0,0"},
        {5, 1000, 0x00000000UL, "当前鼠标位置：X:5 Y:1000， RGB值：0,0,0"},
        {214, 109, 0x003E92FFUL, "当前鼠标位置：X:214 Y:109， RGB值：255,146,62"},
        {-5, 1279, 0xFFFFFFFFUL, "当前鼠标位置：X:-5 Y:1279， 无法读取该点颜色"},
        {83, 5, 0x00000000UL, "当前鼠标位置：X:83 Y:5， RGB值：0,0,0"},
    };
    // Each reading after the one before, as the console receives them.
    std::string output;
    for (const auto &row : rows) {
        char line[96];
        ASSERT_TRUE(format_readout_line(line, sizeof line, row.x, row.y, row.colour)) << row.shown;
        output += line;
        EXPECT_EQ(console_line(output), row.shown);
    }
    output += "  ";
    console_line(output);

    char small[8];
    EXPECT_FALSE(format_readout_line(small, sizeof small, 1, 2, 0));
    EXPECT_STREQ(small, "");
    // Room for the text but not for the columns that cover an earlier reading.
    char unpadded[3 + 40 + 1];
    EXPECT_FALSE(format_readout_line(unpadded, sizeof unpadded, 1, 2, 0));
}

TEST(StripLeadingNewline, Table)
{
    const struct {
        const char *in, *out;
    } rows[] = {{"\n", ""}, {"\n\nx\n", "\nx\n"}, {"x\n", "x\n"}, {"", ""}};
    for (const auto &row : rows) {
        char text[16];
        strcpy(text, row.in);
        strip_leading_newline(text);
        EXPECT_STREQ(text, row.out) << "from \"" << row.in << "\"";
    }
}

TEST(CheckProbeLine, LengthLimits)
{
    int x = 0;
    int y = 0;
    char key[KEY_SIZE];
    EXPECT_EQ(check_probe_line("", 0, &x, &y, key), LINE_EMPTY);
    EXPECT_EQ(check_probe_line("1,2 3,4,,,,,,,,,,,,,,,5", 23, &x, &y, key), LINE_PROBE);
    EXPECT_EQ(check_probe_line("1,2 3,4,,,,,,,,,,,,,,,,", 24, &x, &y, key), LINE_TOO_LONG);
    EXPECT_EQ(check_probe_line("1,2 3,4,1234567890", 18, &x, &y, key), LINE_BAD_VALUE);
}

} // namespace
