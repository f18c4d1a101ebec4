#include "probe/probe_text.h"

#include "app/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct source {
    std::string bytes;
    size_t at;
};

int next_byte(void *s)
{
    source *src = static_cast<source *>(s);
    if (src->at >= src->bytes.size())
        return -1;
    return (unsigned char)src->bytes[src->at++];
}

std::vector<std::pair<load_notice, int>> notices;

void collect(load_notice what, int line_number)
{
    notices.push_back({what, line_number});
}

std::string load(const std::string &file, size_t size = TEXT_SIZE)
{
    notices.clear();
    source src = {file, 0};
    std::vector<char> text(size, 'z');
    build_probe_text(next_byte, &src, text.data(), size, collect);
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
                             "3,3 3,3,3";
    EXPECT_EQ(load(file), "1,1 1,1,1\n2,2 2,2,2\n3,3 3,3,3\n");
    const std::vector<std::pair<load_notice, int>> expected = {
        {NOTICE_LINE_TOO_LONG, 2}, {NOTICE_VALUE_TOO_LONG, 4}};
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

    // Exactly 259 bytes with the newline that loading adds: all of it.
    std::string fits = file.substr(0, 12 * 20) + "12,34 56,78,901234";
    EXPECT_EQ(load(fits), fits + "\n");
    EXPECT_TRUE(notices.empty());
}

TEST(BuildProbeText, SmallBufferNeverOverrun)
{
    std::vector<char> text(12, 'z');
    source src = {"1,2 3,4,5\n6,7 8,9,0\n", 0};
    notices.clear();
    build_probe_text(next_byte, &src, text.data(), 11, collect);
    EXPECT_STREQ(text.data(), "1,2 3,4,5\n");
    EXPECT_EQ(text[11], 'z');
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].second, 2);
}

} // namespace
