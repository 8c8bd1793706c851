// Real message boxes under Windows: each test answers its own box from a
// second thread, so nothing waits for a person.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "plot/gplot.h"
#include "test_env.h"

namespace {

struct Answer {
    std::atomic<bool> found{false};
    std::atomic<bool> had_button{false};
};

// Waits for the box with this caption, checks it offers the button, and
// presses it.
std::thread answer_box(const char *caption, int button, Answer &answer) {
    return std::thread([caption, button, &answer] {
        for (int attempt = 0; attempt < 1000; ++attempt) {
            HWND box = FindWindowA(nullptr, caption);
            if (box != nullptr) {
                answer.found = true;
                answer.had_button = GetDlgItem(box, button) != nullptr;
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
                return;
            }
            Sleep(10);
        }
    });
}

struct BoxCase {
    MessageType type;
    int button;
    MessageResult expected;
};

class MessageBoxAnswers : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxAnswers, ButtonBecomesResult) {
    vexl::test::ScopedEnv no_stream("STDERR_OUTPUT", nullptr);
    const BoxCase &c = GetParam();
    Answer answer;
    std::thread closer = answer_box("vexl33 box test", c.button, answer);
    const MessageResult result = vexl_displayMsg("Answer me", "vexl33 box test", c.type);
    closer.join();
    ASSERT_TRUE(answer.found);
    EXPECT_TRUE(answer.had_button);
    EXPECT_EQ(result, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    AllQuestionButtons, MessageBoxAnswers,
    ::testing::Values(BoxCase{MSG_QUESTION_OK_CANCEL, IDOK, MSG_RESULT_NONE},
                      BoxCase{MSG_QUESTION_OK_CANCEL, IDCANCEL, MSG_RESULT_CANCEL},
                      BoxCase{MSG_QUESTION_ABORT_RETRY_IGNORE, IDABORT, MSG_RESULT_ABORT},
                      BoxCase{MSG_QUESTION_ABORT_RETRY_IGNORE, IDRETRY, MSG_RESULT_RETRY},
                      BoxCase{MSG_QUESTION_ABORT_RETRY_IGNORE, IDIGNORE, MSG_RESULT_IGNORE},
                      BoxCase{MSG_INFORMATION, IDOK, MSG_RESULT_NONE},
                      BoxCase{MSG_ERROR, IDOK, MSG_RESULT_NONE}));

TEST(MessageBoxUnknownType, ShowsNothing) {
    vexl::test::ScopedEnv no_stream("STDERR_OUTPUT", nullptr);
    EXPECT_EQ(vexl_displayMsg("Nobody sees this", "vexl33 box test", static_cast<MessageType>(9)),
              MSG_RESULT_NONE);
}

} // namespace
