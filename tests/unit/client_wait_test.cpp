#include "client/client_wait.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What the wait did, in order: "L" a look, "S3000" a sleep of 3000 ms.
std::string steps;
int found_at; // the look that succeeds; 0: none does

bool look(void *context)
{
    int *looks = static_cast<int *>(context);
    ++*looks;
    steps += "L";
    return *looks == found_at;
}

void sleep_for(unsigned long ms)
{
    steps += "S" + std::to_string(ms);
}

TEST(WaitForClient, LooksAndSleeps)
{
    const std::string failed = "LS3000";
    std::string all_fail;
    for (int i = 0; i < 10; ++i)
        all_fail += failed;
    const struct {
        int found_at;
        bool found;
        std::string steps;
    } rows[] = {
        {1, true, "L"},                          // there at once: no sleep at all
        {2, true, failed + "L"},
        {10, true, all_fail.substr(0, 9 * failed.size()) + "L"}, // the last look
        {0, false, all_fail},                    // ten looks, and a sleep after the tenth
        {11, false, all_fail},                   // an eleventh look would have found it
    };
    for (const auto &row : rows) {
        steps.clear();
        found_at = row.found_at;
        int looks = 0;
        EXPECT_EQ(wait_for_client(look, &looks, CLIENT_LOOKS, CLIENT_LOOK_PAUSE_MS, sleep_for),
                  row.found)
            << "found at look " << row.found_at;
        EXPECT_EQ(steps, row.steps) << "found at look " << row.found_at;
    }
}

} // namespace
