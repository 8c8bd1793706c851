// User messages: the type-to-box mapping and the error-stream route.
#include <gtest/gtest.h>

#include "plot/gplot.h"
#include "plot/messages.h"
#include "test_env.h"

namespace {

TEST(MessageStyle, BeepAndBoxOfEachType) {
    struct Row {
        int type;
        long beep;
        unsigned long style;
    };
    const Row rows[] = {{MSG_INFORMATION, 0, 0x10040},
                        {MSG_ERROR, 0x30, 0x2010},
                        {MSG_QUESTION_OK_CANCEL, 0, 0x10021},
                        {MSG_QUESTION_ABORT_RETRY_IGNORE, 0, 0x10042}};
    for (const Row &row : rows) {
        const auto style = vexl::message_style(row.type);
        ASSERT_TRUE(style.has_value()) << row.type;
        EXPECT_EQ(style->beep, row.beep) << row.type;
        EXPECT_EQ(style->box_style, row.style) << row.type;
    }
    EXPECT_FALSE(vexl::message_style(0).has_value());
    EXPECT_FALSE(vexl::message_style(5).has_value());
}

TEST(MessageResult, ButtonsBecomeResults) {
    constexpr int ok = 1, cancel = 2, abort = 3, retry = 4, ignore = 5;
    EXPECT_EQ(vexl::message_result(MSG_QUESTION_OK_CANCEL, ok), MSG_RESULT_NONE);
    EXPECT_EQ(vexl::message_result(MSG_QUESTION_OK_CANCEL, cancel), MSG_RESULT_CANCEL);
    // Closing the box any other way counts as cancelling.
    EXPECT_EQ(vexl::message_result(MSG_QUESTION_OK_CANCEL, 0), MSG_RESULT_CANCEL);
    EXPECT_EQ(vexl::message_result(MSG_QUESTION_ABORT_RETRY_IGNORE, abort), MSG_RESULT_ABORT);
    EXPECT_EQ(vexl::message_result(MSG_QUESTION_ABORT_RETRY_IGNORE, retry), MSG_RESULT_RETRY);
    EXPECT_EQ(vexl::message_result(MSG_QUESTION_ABORT_RETRY_IGNORE, ignore), MSG_RESULT_IGNORE);
    EXPECT_EQ(vexl::message_result(MSG_INFORMATION, ok), MSG_RESULT_NONE);
    EXPECT_EQ(vexl::message_result(MSG_ERROR, ok), MSG_RESULT_NONE);
}

TEST(DisplayMessage, ErrorStreamGetsTheTextButNotTheCaption) {
    vexl::test::ScopedEnv stream("STDERR_OUTPUT", "1");
    testing::internal::CaptureStderr();
    EXPECT_EQ(vexl_displayMsg("Disk full", "Saving", MSG_ERROR), MSG_RESULT_NONE);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Disk full\n");
}

TEST(DisplayMessage, QuestionsAreNotAskedOnTheErrorStream) {
    vexl::test::ScopedEnv stream("STDERR_OUTPUT", "yes");
    testing::internal::CaptureStderr();
    EXPECT_EQ(vexl_displayMsg("Continue?", "Printing", MSG_QUESTION_OK_CANCEL), MSG_RESULT_NONE);
    EXPECT_EQ(vexl_displayMsg("Retry?", "Printing", MSG_QUESTION_ABORT_RETRY_IGNORE),
              MSG_RESULT_NONE);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Continue?\nRetry?\n");
}

TEST(DisplayMessage, NullTextAndCaptionAreSafe) {
    vexl::test::ScopedEnv stream("STDERR_OUTPUT", "1");
    testing::internal::CaptureStderr();
    EXPECT_EQ(vexl_displayMsg(nullptr, nullptr, MSG_INFORMATION), MSG_RESULT_NONE);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\n");
}

} // namespace
