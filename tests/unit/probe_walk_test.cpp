#include "probe/probe_walk.h"

#include "probe/probe_line.h"
#include "probe/probe_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The probes the scan would make, in order, over `count` steps of the walk.
std::vector<std::string> walk(const char *text, int count)
{
    std::vector<std::string> seen;
    size_t pos = 0;
    for (int i = 0; i < count; ++i) {
        int x = 0;
        int y = 0;
        char key[KEY_SIZE];
        if (!next_probe(text, &pos, &x, &y, key)) {
            seen.push_back("none");
            break;
        }
        seen.push_back(std::to_string(x) + "," + std::to_string(y) + " " + key);
    }
    return seen;
}

TEST(ProbeWalk, BuiltinListRestartsAfterLineEleven)
{
    const std::vector<std::string> seen = walk(builtin_probe_list, 13);
    ASSERT_EQ(seen.size(), 13u);
    EXPECT_EQ(seen[0], "214,109 25514662");
    EXPECT_EQ(seen[7], "83,120 255185132");
    EXPECT_EQ(seen[10], "77,117 25520399");
    EXPECT_EQ(seen[11], seen[0]);
    EXPECT_EQ(seen[12], seen[1]);
}

TEST(ProbeWalk, Table)
{
    const struct {
        const char *text;
        std::vector<std::string> probes;
    } rows[] = {
        // Empty lines are passed over, also at the start of every round.
        {"\n1,2 3,4,5\n\n6,7 8,9,0\n", {"1,2 345", "6,7 890", "1,2 345"}},
        // Same point, different colours: each in its turn.
        {"1,1 1,1,1\n1,1 2,2,2\n", {"1,1 111", "1,1 222", "1,1 111"}},
        // A long line leaves nothing behind in the next one.
        {"1,2 3,4,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,9\n5,6 7,8,9\n", {"5,6 789", "5,6 789"}},
        {"1234,1234 255,255,255\n", {"1234,1234 255255255"}},
        {"1,2 3,4,1234567890\n7,7 7,7,7\n", {"7,7 777", "7,7 777"}},
        {" \n", {"0,0 000"}},
        // Long runs of lines with nothing to probe, also across the restart.
        {"\n\n\n\n\n\n1,2 3,4,5\n", {"1,2 345", "1,2 345"}},
        {"1,1 1,1,1\n\n1,2 3,4,1234567890\n\n1,2 3,4,1234567890\n\n\n"
         "1,2 3,4,,,,,,,,,,,,,,,,,,,,,,,,,,9\n\n2,2 2,2,2\n\n\n\n\n",
         {"1,1 111", "2,2 222", "1,1 111"}},
        // No probe line at all: the walk says so instead of running for ever.
        {"\n\n", {"none"}},
        {"1,2 3,4,1234567890\n", {"none"}},
        {"", {"none"}},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(walk(row.text, (int)row.probes.size()), row.probes) << "text \"" << row.text << "\"";
        EXPECT_EQ(has_probe_line(row.text), row.probes[0] != "none") << row.text;
    }
}

} // namespace

namespace {

// The line a match ends at, as the journal names it: number and start for each end.
TEST(LineEndingAt, Table)
{
    const char *text = "\n1,2 3,4,5\n\n6,7 8,9,0\n";
    const struct {
        const char *text;
        size_t end;
        int number;
        size_t start;
    } rows[] = {
        {text, 1, 1, 0},   // the empty first line
        {text, 11, 2, 1},  // just past "1,2 3,4,5\n"
        {text, 12, 3, 11}, // the empty line after it
        {text, 22, 4, 12}, // the last line, past its '\n'
        {"1,1 1,1,1\n2,2 2,2,2", 19, 2, 10}, // the text's end, without a '\n'
        {"", 0, 1, 0},
    };
    for (const auto &row : rows) {
        size_t start = 99;
        EXPECT_EQ(line_ending_at(row.text, row.end, &start), row.number) << row.end;
        EXPECT_EQ(start, row.start) << row.end;
    }
}

} // namespace
