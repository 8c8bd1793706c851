// Real message boxes under Windows: each case answers its own box from a
// second thread, so nothing waits for a person. A box costs about two seconds
// under Wine, so the cases are the four answers that differ from "nothing to
// report" (which a box that never showed would also give); the full mapping is
// checked without boxes in messages_test.cpp.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "plot/gplot.h"
#include "test_env.h"

namespace {

struct BoxCase {
    MessageType type;
    int button;
    MessageResult expected;
};

class MessageBoxAnswers : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxAnswers, ButtonBecomesResult) {
    vexl::test::ScopedEnv no_stream("STDERR_OUTPUT", nullptr);
    const BoxCase &c = GetParam();
    std::atomic<bool> found{false}, had_button{false};
    // Waits for the box, checks it offers the button, and presses it.
    std::thread closer([&] {
        for (int attempt = 0; attempt < 1000 && !found; ++attempt, Sleep(10)) {
            if (HWND box = FindWindowA(nullptr, "vexl33 box test")) {
                found = true;
                had_button = GetDlgItem(box, c.button) != nullptr;
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(box, c.button)));
            }
        }
    });
    const MessageResult result = vexl_displayMsg("Answer me", "vexl33 box test", c.type);
    closer.join();
    ASSERT_TRUE(found);
    EXPECT_TRUE(had_button);
    EXPECT_EQ(result, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    QuestionButtons, MessageBoxAnswers,
    ::testing::Values(BoxCase{MSG_QUESTION_OK_CANCEL, IDCANCEL, MSG_RESULT_CANCEL},
                      BoxCase{MSG_QUESTION_ABORT_RETRY_IGNORE, IDABORT, MSG_RESULT_ABORT},
                      BoxCase{MSG_QUESTION_ABORT_RETRY_IGNORE, IDRETRY, MSG_RESULT_RETRY},
                      BoxCase{MSG_QUESTION_ABORT_RETRY_IGNORE, IDIGNORE, MSG_RESULT_IGNORE}));

} // namespace
