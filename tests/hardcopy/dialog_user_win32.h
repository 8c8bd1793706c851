// A user at the keyboard for tests that show real dialogs: a second thread
// waits for the windows the library opens on the test's thread and works
// them as a person would, by typing into boxes and clicking buttons. A script
// that does not get the window it waits for by the deadline, or a dialog
// still open when the script is done and the deadline has passed, makes the
// user close every window of the test's thread until the library call
// returns; the test then fails on timed_out() instead of hanging the suite.
#ifndef VEXL33_TESTS_HARDCOPY_DIALOG_USER_WIN32_H
#define VEXL33_TESTS_HARDCOPY_DIALOG_USER_WIN32_H

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <utility>

namespace vexl::test {

class DialogUser {
  public:
    using Script = std::function<void(DialogUser &)>;

    // Starts working the windows of the calling thread.
    explicit DialogUser(Script script,
                        std::chrono::milliseconds deadline = std::chrono::seconds(60));
    ~DialogUser() { finish(); }
    DialogUser(const DialogUser &) = delete;
    DialogUser &operator=(const DialogUser &) = delete;

    // The library call has returned: stops the user and waits for it.
    void finish();
    bool timed_out() const { return timed_out_; }
    // What the script wrote down when it could not go on as planned.
    const std::string &complaint() const { return complaint_; }

    // ---- steps for scripts, on the user's thread ----
    // The visible top-level window of the test's thread with this title.
    HWND wait_for(const char *title);
    // The first visible dialog box of the test's thread, whatever its title.
    HWND wait_for_any_dialog();
    // The titles of the test thread's visible windows, one per line.
    std::string open_windows();
    // Waits until the window is gone.
    void wait_closed(HWND window);
    // A control anywhere inside the window (children of children included).
    static HWND control(HWND window, int id);
    void type_file_name(HWND dialog, const std::string &name);
    // Picks entry index (from 0) of the file-type box as a click would.
    void choose_file_type(HWND dialog, int index);
    // A mouse click on a button or check box (BM_CLICK), waited for.
    void click(HWND dialog, int id);
    // Presses a push button that ends the dialog; does not wait for it.
    void press(HWND dialog, int id);
    bool checked(HWND dialog, int id);
    bool enabled(HWND dialog, int id);
    // All the static text of a message box.
    static std::string text_of(HWND box);
    void complain(const std::string &what) { complaint_ += what + "\n"; }
    // Sends a message to a window of the test's thread and waits for it to be
    // handled; gives up, closing everything, when that takes longer than the
    // time given (a window procedure stuck in a dialog of its own).
    void send_and_wait(HWND window, UINT message, std::chrono::milliseconds time);

  private:
    struct DeadlineMissed {};
    void run(const Script &script);
    void check_deadline() const;
    void close_everything();

    DWORD thread_id_;
    std::chrono::steady_clock::time_point deadline_;
    std::atomic<bool> returned_{false};
    std::atomic<bool> timed_out_{false};
    std::string complaint_;
    std::thread thread_;
};

// Makes the library call while a user works through the script, and fails
// the running test when the script did not finish in time or complained.
template <typename Call>
int run_with_user(DialogUser::Script script, Call call) {
    DialogUser user(std::move(script));
    const int result = call();
    user.finish();
    EXPECT_FALSE(user.timed_out()) << "a dialog was left open: " << user.complaint();
    EXPECT_EQ(user.complaint(), "");
    return result;
}

} // namespace vexl::test

#endif // VEXL33_TESTS_HARDCOPY_DIALOG_USER_WIN32_H
