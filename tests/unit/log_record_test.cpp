#include "app/log_record.h"

#include "support/text.h"

#include <gtest/gtest.h>

namespace {

TEST(LogRecord, FixedTime)
{
    const log_time when = {2027, 3, 3, 9, 5, 7};
    char record[512];
    ASSERT_TRUE(format_log_record(record, sizeof record, "未找到钉钉进程", &when));
    EXPECT_STREQ(record, "原因：未找到钉钉进程\n时间：2027-03-03 09:05:07\n\n");
}

TEST(BoundedText, NeverCut)
{
    char small[6];
    EXPECT_TRUE(format_text(small, sizeof small, "%s", "12345"));
    EXPECT_FALSE(format_text(small, sizeof small, "%s", "123456"));
    EXPECT_STREQ(small, "");
    strcpy(small, "12");
    EXPECT_TRUE(append_text(small, sizeof small, "345"));
    EXPECT_FALSE(append_text(small, sizeof small, "6"));
    EXPECT_STREQ(small, "12345");
}

} // namespace
