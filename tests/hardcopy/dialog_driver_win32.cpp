// The dialog driver: polling for the dialog, the script, and the deadline.
#include "dialog_driver_win32.h"

#include <utility>

namespace vexl::test {

namespace {

constexpr UINT kMessageWaitMs = 5000;
constexpr DWORD kPollMs = 20;

struct Search {
    const std::string *title;
    HWND found;
};

BOOL CALLBACK find_dialog(HWND window, LPARAM data) {
    Search &search = *reinterpret_cast<Search *>(data);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (!search.title->empty() && std::string(title).find(*search.title) == std::string::npos)
        return TRUE;
    search.found = window;
    return FALSE;
}

// A visible dialog of the thread, or null.
HWND dialog_of(DWORD thread, const std::string &title) {
    Search search{&title, nullptr};
    EnumThreadWindows(thread, find_dialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kMessageWaitMs, &result);
    return static_cast<LRESULT>(result);
}

} // namespace

DialogDriver::DialogDriver(Script script, std::string title, DWORD deadline_ms)
    : owner_thread_(GetCurrentThreadId()), title_(std::move(title)), deadline_ms_(deadline_ms),
      thread_([this, script = std::move(script)]() mutable { drive(std::move(script)); }) {}

DialogDriver::~DialogDriver() {
    finish();
}

void DialogDriver::finish() {
    dialog_returned_ = true;
    if (thread_.joinable())
        thread_.join();
}

void DialogDriver::drive(Script script) {
    const ULONGLONG deadline = GetTickCount64() + deadline_ms_;
    HWND dialog = nullptr;
    while (!dialog_returned_ && GetTickCount64() < deadline &&
           (dialog = dialog_of(owner_thread_, title_)) == nullptr)
        Sleep(kPollMs);
    if (dialog != nullptr) {
        script(dialog);
        ran_ = true;
    }
    // The script ends the dialog; past the deadline, anything still open on
    // the thread is cancelled and closed until the dialog call returns.
    while (!dialog_returned_) {
        if (GetTickCount64() >= deadline) {
            if (HWND open = dialog_of(owner_thread_, {})) {
                timed_out_ = true;
                PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                PostMessageA(open, WM_CLOSE, 0, 0);
            }
        }
        Sleep(kPollMs * 5);
    }
}

void click(HWND dialog, int control) {
    if (HWND button = GetDlgItem(dialog, control))
        send(button, BM_CLICK);
}

bool is_checked(HWND dialog, int control) {
    HWND button = GetDlgItem(dialog, control);
    return button != nullptr && send(button, BM_GETCHECK) == BST_CHECKED;
}

bool is_enabled(HWND dialog, int control) {
    HWND item = GetDlgItem(dialog, control);
    return item != nullptr && IsWindowEnabled(item);
}

bool has_control(HWND dialog, int control) {
    return GetDlgItem(dialog, control) != nullptr;
}

} // namespace vexl::test
