#include "journal/picture_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PictureName, MadeAndKnown)
{
    char name[128];
    ASSERT_TRUE(format_picture_name(name, sizeof name, "2026-12-10 08:45:02", true));
    EXPECT_STREQ(name, "上课画面\\2026-12-10 08-45-02 已进入直播间.png");
    ASSERT_TRUE(format_picture_name(name, sizeof name, "2026-12-10 08:45:02", false));
    EXPECT_STREQ(name, "上课画面\\2026-12-10 08-45-02 未进入直播间.png");
    EXPECT_TRUE(is_picture_name(name + sizeof PICTURE_FOLDER));
    char small[20];
    EXPECT_FALSE(format_picture_name(small, sizeof small, "2026-12-10 08:45:02", true));

    // Only the program's own names, and those of the versions before (BMP), count in the
    // budget; the leftovers of killed runs go, with their process id or without.
    const struct {
        const char *name;
        bool ours;
        bool leftover;
        unsigned long owner;
    } rows[] = {
        {"2026-12-10 08-45-02 已进入直播间.png", true, false, 0},
        {"2026-12-10 08-45-02 未进入直播间.png", true, false, 0},
        {"2026-12-10 08-45-02 已进入直播间.bmp", true, false, 0},
        {"2026-12-10 08-45-02 未进入直播间.bmp", true, false, 0},
        {"2026-12-10 08-45-02 已进入直播间.png.1234.tmp", false, true, 1234},
        {"2026-12-10 08-45-02 已进入直播间.bmp.tmp", false, true, 0},
        {"2026-12-10 08-45-02 已进入直播间.png.12x4.tmp", false, false, 12},
        {"2026-12-10 08-45-02 已进入直播间.png.1234.tmpx", false, false, 1234},
        {"2026-12-10 08-45-02 已进入直播间.png.tmp.1", false, false, 0},
        {"2026-12-10 08-45-02 已进入直播间.png.", false, false, 0},
        {"2026-12-10 08-45-02 已进入直播间.pngx", false, false, 0},
        {"2026-12-10 08-45-02 已进入直播间.PNG", false, false, 0},
        {"2026-12-10 08-45-02 别的.png", false, false, 0},
        {"2026-12-10 08:45:02 已进入直播间.png", false, false, 0},
        {"2026-12-1a 08-45-02 已进入直播间.png", false, false, 0},
        {"孩子的画.png", false, false, 0},
        {"孩子的画.png.tmp", false, false, 0},
        {"2026", false, false, 0},
        {"", false, false, 0},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(is_picture_name(row.name), row.ours) << row.name;
        unsigned long owner = 99;
        EXPECT_EQ(is_picture_leftover(row.name, &owner), row.leftover) << row.name;
        if (row.leftover) {
            EXPECT_EQ(owner, row.owner) << row.name;
        }
    }
}

} // namespace
