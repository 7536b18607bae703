#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CMessageLog.h"

TEST(MessageLog, WarningsStayFiveSecondsThenGoWithAKeyAndLinesShowEveryByte)
{
    CMessageLog log;
    testing::internal::CaptureStderr();
    log.Message(CMessageLog::INFO, "init keyboard");
    log.Message(CMessageLog::WARNING, "mesh \x01\xF6.x");
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed, "[0] init keyboard\n[1] mesh \\x01\\xf6.x\n");
    EXPECT_STREQ(log.GetCurrentText(), "mesh \\x01\\xf6.x");
    ASSERT_EQ(log.GetWarnings(), std::vector<std::string>({ "mesh \\x01\\xf6.x" }));

    // A key before the five seconds leaves the warning; one after ends it.
    log.AgeWarnings(4.9f);
    log.DismissWarnings();
    EXPECT_EQ(log.GetWarnings().size(), 1u);
    log.AgeWarnings(0.2f);
    testing::internal::CaptureStderr();
    log.Message(CMessageLog::WARNING, "second");
    testing::internal::GetCapturedStderr();
    log.DismissWarnings();
    EXPECT_EQ(log.GetWarnings(), std::vector<std::string>({ "second" }));

    // The newest few are kept.
    testing::internal::CaptureStderr();
    for (int i = 0; i < CMessageLog::MAX_WARNINGS + 2; i++)
        log.Message(CMessageLog::WARNING, std::to_string(i).c_str());
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(log.GetWarnings().size(), (size_t)CMessageLog::MAX_WARNINGS);
    EXPECT_EQ(log.GetWarnings().back(), std::to_string(CMessageLog::MAX_WARNINGS + 1));
}
