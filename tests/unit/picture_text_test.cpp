#include "journal/picture_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PictureName, MadeAndKnown)
{
    char name[128];
    ASSERT_TRUE(format_picture_name(name, sizeof name, "2026-12-10 08:45:02", true));
    EXPECT_STREQ(name, "上课画面\\2026-12-10 08-45-02 已进入直播间.bmp");
    ASSERT_TRUE(format_picture_name(name, sizeof name, "2026-12-10 08:45:02", false));
    EXPECT_STREQ(name, "上课画面\\2026-12-10 08-45-02 未进入直播间.bmp");
    EXPECT_TRUE(is_picture_name(name + sizeof PICTURE_FOLDER));
    char small[20];
    EXPECT_FALSE(format_picture_name(small, sizeof small, "2026-12-10 08:45:02", true));

    // Only the program's own names: everything else in the folder stays.
    const struct {
        const char *name;
        bool ours;
    } rows[] = {
        {"2026-12-10 08-45-02 已进入直播间.bmp", true},
        {"2026-12-10 08-45-02 未进入直播间.bmp", true},
        {"2026-12-10 08-45-02 已进入直播间.bmp.tmp", false},
        {"2026-12-10 08-45-02 已进入直播间.BMP", false},
        {"2026-12-10 08-45-02 别的.bmp", false},
        {"2026-12-10 08:45:02 已进入直播间.bmp", false},
        {"2026-12-1a 08-45-02 已进入直播间.bmp", false},
        {"孩子的画.bmp", false},
        {"2026", false},
        {"", false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(is_picture_name(row.name), row.ours) << row.name;
}

TEST(BmpHeader, Bytes)
{
    unsigned char header[BMP_HEADER_SIZE];
    make_bmp_header(header);
    // 930 x 640 at 24 bits: rows of 2792 bytes (2790 padded to 4), bottom row first.
    const unsigned char expected[BMP_HEADER_SIZE] = {
        'B', 'M', 0x36, 0x44, 0x1B, 0x00, 0, 0, 0, 0, 54, 0, 0, 0, // file: size 1786934
        40, 0, 0, 0, 0xA2, 0x03, 0, 0, 0x80, 0x02, 0, 0,          // 930, 640
        1, 0, 24, 0, 0, 0, 0, 0, 0x00, 0x44, 0x1B, 0x00,          // BI_RGB, 1786880
        0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::string((const char *)header, BMP_HEADER_SIZE),
              std::string((const char *)expected, BMP_HEADER_SIZE));
    EXPECT_EQ(PICTURE_FILE_SIZE, 54 + 2792 * 640);
}

} // namespace
