// User messages: the portable type-to-box mapping, in one table, and
// the error-stream route every test run takes. The real boxes are exercised
// under Windows by messages_win32_test.cpp.
#include <gtest/gtest.h>

#include "plot/gplot.h"
#include "plot/messages.h"
#include "test_env.h"

namespace {

TEST(MessageMapping, BeepBoxAndResultOfEachTypeAndButton) {
    const struct {
        int type;
        long beep;
        unsigned long style;
        int button; // 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 0 box closed
        MessageResult result;
    } rows[] = {
        {MSG_INFORMATION, 0, 0x10040, 1, MSG_RESULT_NONE},
        {MSG_ERROR, 0x30, 0x2010, 1, MSG_RESULT_NONE},
        {MSG_QUESTION_OK_CANCEL, 0, 0x10021, 1, MSG_RESULT_NONE},
        {MSG_QUESTION_OK_CANCEL, 0, 0x10021, 2, MSG_RESULT_CANCEL},
        {MSG_QUESTION_OK_CANCEL, 0, 0x10021, 0, MSG_RESULT_CANCEL},
        {MSG_QUESTION_ABORT_RETRY_IGNORE, 0, 0x10042, 3, MSG_RESULT_ABORT},
        {MSG_QUESTION_ABORT_RETRY_IGNORE, 0, 0x10042, 4, MSG_RESULT_RETRY},
        {MSG_QUESTION_ABORT_RETRY_IGNORE, 0, 0x10042, 5, MSG_RESULT_IGNORE},
    };
    for (const auto &row : rows) {
        const auto style = vexl::message_style(row.type);
        ASSERT_TRUE(style.has_value()) << row.type;
        EXPECT_EQ(style->beep, row.beep) << row.type;
        EXPECT_EQ(style->box_style, row.style) << row.type;
        EXPECT_EQ(vexl::message_result(row.type, row.button), row.result) << row.button;
    }
    EXPECT_FALSE(vexl::message_style(0).has_value());
    EXPECT_FALSE(vexl::message_style(5).has_value());
}

// With STDERR_OUTPUT set, the text (never the caption) goes to the error
// stream and a question answers 0 without asking.
TEST(DisplayMessage, ErrorStreamGetsTheTextAndQuestionsAnswerZero) {
    vexl::test::ScopedEnv stream("STDERR_OUTPUT", "yes");
    testing::internal::CaptureStderr();
    EXPECT_EQ(vexl_displayMsg("Disk full", "Saving", MSG_ERROR), MSG_RESULT_NONE);
    EXPECT_EQ(vexl_displayMsg("Continue?", "Printing", MSG_QUESTION_OK_CANCEL), MSG_RESULT_NONE);
    EXPECT_EQ(vexl_displayMsg(nullptr, nullptr, MSG_INFORMATION), MSG_RESULT_NONE);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Disk full\nContinue?\n\n");
}

// An unknown type is neither shown nor written, on any build.
TEST(DisplayMessage, UnknownTypeShowsNothing) {
    vexl::test::ScopedEnv no_stream("STDERR_OUTPUT", nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(vexl_displayMsg("Nobody sees this", "Box", static_cast<MessageType>(9)),
              MSG_RESULT_NONE);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

} // namespace
