// Drives a real modal dialog from a second thread: the test's thread opens
// the dialog (and blocks in it), the driver waits for the dialog window of
// that thread, runs a script of clicks on it and presses a button to end it.
// Whatever happens, the dialog is closed by a deadline, and the test sees
// that it was, so no dialog can hang the suite.
//
// Scripts run on the driver's thread: they observe into variables of the
// test and leave the assertions to the test's thread.
#ifndef VEXL33_TESTS_HARDCOPY_DIALOG_DRIVER_WIN32_H
#define VEXL33_TESTS_HARDCOPY_DIALOG_DRIVER_WIN32_H

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace vexl::test {

class DialogDriver {
  public:
    using Script = std::function<void(HWND dialog)>;

    // Starts waiting for a dialog (a window of the dialog class owned by the
    // calling thread) whose title contains title (any title when empty).
    explicit DialogDriver(Script script, std::string title = {}, DWORD deadline_ms = 20000);
    ~DialogDriver();
    DialogDriver(const DialogDriver &) = delete;
    DialogDriver &operator=(const DialogDriver &) = delete;

    // Called once the dialog call has returned: stops waiting and joins.
    void finish();

    // After finish(): a dialog was found and the script ran to its end.
    bool ran() const { return ran_; }
    // After finish(): the deadline had to close a dialog.
    bool timed_out() const { return timed_out_; }

  private:
    void drive(Script script);

    DWORD owner_thread_;
    std::string title_;
    DWORD deadline_ms_;
    std::atomic<bool> dialog_returned_{false};
    std::atomic<bool> ran_{false};
    std::atomic<bool> timed_out_{false};
    std::thread thread_;
};

// Steps for scripts. Each message waits at most a few seconds for the
// dialog's thread, so a stuck dialog cannot stop the script.
void click(HWND dialog, int control); // a real button click (BM_CLICK)
bool is_checked(HWND dialog, int control);
bool is_enabled(HWND dialog, int control);
bool has_control(HWND dialog, int control);

} // namespace vexl::test

#endif // VEXL33_TESTS_HARDCOPY_DIALOG_DRIVER_WIN32_H
