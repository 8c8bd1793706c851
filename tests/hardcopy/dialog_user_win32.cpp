// The scripted dialog user: see dialog_user_win32.h.
#include "dialog_user_win32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vexl::test {

namespace {

using namespace std::chrono_literals;

constexpr auto kPoll = 20ms;
// How long closing may take before the call counts as stuck.
constexpr auto kStuckCall = 30s;

// The file name box: a combo box with an edit field in recent dialogs, a
// plain edit box in older ones.
constexpr int kFileNameCombo = 1148;
constexpr int kFileNameEdit = 1152;
constexpr int kFileTypeBox = 1136;

// Window enumeration calls back with the system's calling convention, which
// a lambda does not have on 32-bit Windows.
BOOL CALLBACK collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> visible_windows_of(DWORD thread) {
    std::vector<HWND> all, visible;
    EnumThreadWindows(thread, collect, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all)
        if (IsWindowVisible(window))
            visible.push_back(window);
    return visible;
}

// Children, children of children and so on.
std::vector<HWND> descendants_of(HWND window) {
    std::vector<HWND> all;
    EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::string title_of(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

HWND window_titled(DWORD thread, const char *title) {
    for (HWND window : visible_windows_of(thread))
        if (title_of(window) == title)
            return window;
    return nullptr;
}

} // namespace

DialogUser::DialogUser(Script script, std::chrono::milliseconds deadline)
    : thread_id_(GetCurrentThreadId()), deadline_(std::chrono::steady_clock::now() + deadline),
      thread_([this, script = std::move(script)] { run(script); }) {}

void DialogUser::finish() {
    returned_ = true;
    if (thread_.joinable())
        thread_.join();
}

void DialogUser::run(const Script &script) {
    try {
        script(*this);
        // Done: whatever is still open must close by itself before the
        // deadline, as the library returns.
        while (!returned_) {
            check_deadline();
            std::this_thread::sleep_for(kPoll);
        }
    } catch (const DeadlineMissed &) {
        timed_out_ = true;
        close_everything();
    }
}

void DialogUser::check_deadline() const {
    if (std::chrono::steady_clock::now() > deadline_)
        throw DeadlineMissed{};
}

// Cancels, declines and closes whatever the test's thread shows until the
// library call gives up and returns. A call that does not return although
// nothing is left to close is stuck beyond any dialog; the program stops
// then, failing, rather than hold up the suite.
void DialogUser::close_everything() {
    const auto give_up = std::chrono::steady_clock::now() + kStuckCall;
    while (!returned_) {
        if (std::chrono::steady_clock::now() > give_up) {
            std::fprintf(stderr,
                         "%s: the library call did not return after its dialogs were "
                         "closed; stopping the test program\n",
                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
            std::fflush(stderr);
            std::_Exit(3);
        }
        for (HWND window : visible_windows_of(thread_id_)) {
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            PostMessageA(window, WM_COMMAND, IDNO, 0);
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        std::this_thread::sleep_for(200ms);
    }
}

HWND DialogUser::wait_for(const char *title) {
    for (;;) {
        if (HWND window = window_titled(thread_id_, title)) {
            // Let the dialog finish setting itself up (its hook included).
            std::this_thread::sleep_for(200ms);
            return window;
        }
        check_deadline();
        std::this_thread::sleep_for(kPoll);
    }
}

HWND DialogUser::wait_for_any_dialog() {
    for (;;) {
        for (HWND window : visible_windows_of(thread_id_)) {
            char name[32] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == "#32770") {
                std::this_thread::sleep_for(200ms);
                return window;
            }
        }
        check_deadline();
        std::this_thread::sleep_for(kPoll);
    }
}

std::string DialogUser::open_windows() {
    std::string titles;
    for (HWND window : visible_windows_of(thread_id_))
        titles += title_of(window) + "\n";
    return titles;
}

void DialogUser::wait_closed(HWND window) {
    while (IsWindow(window) && IsWindowVisible(window)) {
        check_deadline();
        std::this_thread::sleep_for(kPoll);
    }
}

HWND DialogUser::control(HWND window, int id) {
    for (HWND child : descendants_of(window))
        if (GetDlgCtrlID(child) == id)
            return child;
    return nullptr;
}

void DialogUser::type_file_name(HWND dialog, const std::string &name) {
    HWND box = control(dialog, kFileNameCombo);
    if (box == nullptr)
        box = control(dialog, kFileNameEdit);
    if (box == nullptr) {
        complain("no file name box");
        throw DeadlineMissed{};
    }
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void DialogUser::choose_file_type(HWND dialog, int index) {
    HWND box = control(dialog, kFileTypeBox);
    if (box == nullptr) {
        complain("no file type box");
        throw DeadlineMissed{};
    }
    SendMessageA(box, CB_SETCURSEL, index, 0);
    // What the box tells its dialog when the user has picked an entry.
    HWND parent = GetParent(box);
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(kFileTypeBox, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(kFileTypeBox, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(box));
}

void DialogUser::click(HWND dialog, int id) {
    HWND button = control(dialog, id);
    if (button == nullptr) {
        complain("no control " + std::to_string(id));
        return;
    }
    SendMessageA(button, BM_CLICK, 0, 0);
}

void DialogUser::press(HWND dialog, int id) {
    if (HWND button = GetDlgItem(dialog, id))
        PostMessageA(button, BM_CLICK, 0, 0);
    else
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void DialogUser::send_and_wait(HWND window, UINT message, std::chrono::milliseconds time) {
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, static_cast<UINT>(time.count()),
                            &ignored) == 0) {
        complain("message " + std::to_string(message) + " not handled in time");
        throw DeadlineMissed{};
    }
}

bool DialogUser::checked(HWND dialog, int id) {
    HWND box = control(dialog, id);
    return box != nullptr && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool DialogUser::enabled(HWND dialog, int id) {
    HWND box = control(dialog, id);
    return box != nullptr && IsWindowEnabled(box);
}

std::string DialogUser::text_of(HWND box) {
    std::string text;
    for (HWND child : descendants_of(box)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Static") == 0)
            text += title_of(child);
    }
    return text;
}

} // namespace vexl::test
