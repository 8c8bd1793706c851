// The print operations of the table and the exported dialog calls under
// Windows, with real dialogs worked by a scripted user: what each entry
// answers when the dialog is accepted, cancelled or fails, the file the
// print-file dialog throws away, re-entry from a dialog's message loop, and
// gprint_display_printui_dialogs with and without a window. Cases that show
// the print dialog need the test printer (VEXL_TEST_PRINTER, set up by
// scripts/test) and are skipped without it.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/errors.h"
#include "dialog_user_win32.h"
#include "hardcopy/dialog_ids.h"
#include "hardcopy/print_dialog_win32.h"
#include "hardcopy/print_options.h"
#include "plot/gplot.h"
#include "plot/gplot_win32.h"
#include "support/temp_dir.h"

namespace {

using vexl::test::DialogUser;

constexpr const char *kSaveTitle = "Print to File";

bool have_test_printer() {
    const char *name = std::getenv("VEXL_TEST_PRINTER");
    return name != nullptr && *name != '\0';
}

#define REQUIRE_PRINTER()                                                                          \
    if (!have_test_printer())                                                                      \
    GTEST_SKIP() << "no test printer (scripts/test sets up one and names it in VEXL_TEST_PRINTER)"

// A failed common dialog leaves its error code for CommDlgExtendedError,
// as a dialog that could not be shown does.
void leave_a_dialog_error() {
    OPENFILENAMEA broken{};
    GetSaveFileNameA(&broken); // a record size of 0 is refused
    ASSERT_NE(CommDlgExtendedError(), 0u);
}

class PrintEntriesTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { module_ = LoadLibraryA("vexl"); }
    static void TearDownTestSuite() {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }
    void SetUp() override { vexl::print_options() = vexl::PrintOptions{}; }
    void TearDown() override {
        if (HDC context = static_cast<HDC>(vexl::take_print_dialog_printer_context()))
            DeleteDC(context);
        vexl::print_options() = saved_;
    }

    template <typename Call>
    int run(DialogUser::Script script, Call call) {
        return vexl::test::run_with_user(std::move(script), call);
    }

    vexl::test::TempDir dir_;

  private:
    static HMODULE module_;
    const vexl::PrintOptions saved_ = vexl::print_options();
};
HMODULE PrintEntriesTest::module_ = nullptr;

// Graphics were asked about when the plot was opened, so the entry shows no
// dialog: a print status of 0 throws the recorded file away, and the result
// tells a failed dialog (0) from a cancelled one (-1).
TEST_F(PrintEntriesTest, GraphicsFileDialogErasesAFileNotToBePrinted) {
    const std::string recorded = dir_.write("plot.emf", "EMF");
    leave_a_dialog_error();
    EXPECT_EQ(gprint_printFileDialog(0, recorded.c_str(), nullptr), 0);
    EXPECT_EQ(GetFileAttributesA(recorded.c_str()), INVALID_FILE_ATTRIBUTES);

    dir_.write("plot.emf", "EMF");
    run(
        [](DialogUser &user) {
            HWND box = user.wait_for(kSaveTitle);
            user.press(box, IDCANCEL);
        },
        [] { return PrintToFile_Dialog(nullptr, 0, 0); });
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(gprint_printFileDialog(0, recorded.c_str(), nullptr), -1);
    EXPECT_EQ(GetFileAttributesA(recorded.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(vexl::print_options().contentKind, 0);
    // No file at all is no reason to fail differently.
    EXPECT_EQ(gprint_printFileDialog(0, nullptr, nullptr), -1);
}

// An accepted print goes on to the print-file entry: graphics for the
// printer were printed as they were drawn, and the recording goes.
TEST_F(PrintEntriesTest, AcceptedGraphicsGoToThePrintFileEntry) {
    const std::string recorded = dir_.write("plot.emf", "EMF");
    setPrintStatus(1);
    EXPECT_EQ(gprint_printFileDialog(0, recorded.c_str(), nullptr), 1);
    EXPECT_EQ(GetFileAttributesA(recorded.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PrintEntriesTest, PrintToFileDialogForOtherContentShowsNothing) {
    setPrintStatus(1);
    EXPECT_EQ(PrintToFile_Dialog(nullptr, 0, 2), 0);
    EXPECT_EQ(PrintToFile_Dialog(nullptr, 0, -1), 0);
    EXPECT_EQ(getPrintStatus(), 1);
}

// Without a window the print dialog is not shown; the options chosen before
// decide, and print to file still asks for the file.
TEST_F(PrintEntriesTest, DisplayWithoutAWindowShowsOnlyTheSaveDialog) {
    vexl::PrintOptions &options = vexl::print_options();
    EXPECT_EQ(gprint_display_printui_dialogs(1, 0, nullptr), 0) << "nothing accepted yet";
    options.printStatus = 1;
    EXPECT_EQ(gprint_display_printui_dialogs(1, 0, nullptr), 1) << "printing, no file";
    EXPECT_EQ(gprint_display_printui_dialogs(2, 0, nullptr), 1);
    options.printToFile = 1;
    EXPECT_EQ(gprint_display_printui_dialogs(1, 7, nullptr), 1) << "no dialog for that content";

    std::string windows;
    const std::string typed = dir_.file("listing");
    const int result = run(
        [&](DialogUser &user) {
            HWND box = user.wait_for(kSaveTitle);
            windows = user.open_windows();
            user.type_file_name(box, typed);
            user.press(box, IDOK);
        },
        [] { return gprint_display_printui_dialogs(1, 1, nullptr); });
    EXPECT_EQ(windows, std::string(kSaveTitle) + "\n");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(gprint_get_printtofile_filename()), typed + ".txt");
    EXPECT_EQ(fileType(), 1);

    run(
        [&](DialogUser &user) {
            HWND box = user.wait_for(kSaveTitle);
            user.press(box, IDCANCEL);
        },
        [] { return gprint_display_printui_dialogs(1, 0, nullptr); });
    EXPECT_EQ(getPrintStatus(), 0);
    EXPECT_EQ(gprint_display_printui_dialogs(3, 0, nullptr), 0);
}

// With a window: the print dialog, where the user chooses print to file,
// and then the file.
TEST_F(PrintEntriesTest, DisplayWithAWindowAsksForPrinterThenFile) {
    REQUIRE_PRINTER();
    HWND owner = CreateWindowA("STATIC", "vexl33 owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                               nullptr, nullptr, nullptr);
    const std::string typed = dir_.file("sheet");
    const int result = run(
        [&](DialogUser &user) {
            HWND print = user.wait_for_any_dialog();
            user.click(print, VEXL_PRINT_TO_FILE_BOX);
            user.press(print, IDOK);
            user.wait_closed(print);
            HWND save = user.wait_for(kSaveTitle);
            user.choose_file_type(save, 1);
            user.type_file_name(save, typed);
            user.press(save, IDOK);
        },
        [&] { return gprint_display_printui_dialogs(1, 0, owner); });
    DestroyWindow(owner);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(printToFileSelected(), 1);
    EXPECT_EQ(printToHPGL2Selected(), 1);
    EXPECT_EQ(std::string(gprint_get_printtofile_filename()), typed + ".hgl");
}

// The text print dialog: cancelled, the text file is thrown away.
TEST_F(PrintEntriesTest, TextFileDialogCancelledErasesTheFile) {
    REQUIRE_PRINTER();
    const std::string listing = dir_.write("listing.txt", "text");
    const int result = run(
        [](DialogUser &user) {
            HWND print = user.wait_for_any_dialog();
            if (DialogUser::control(print, VEXL_SCALE_TO_FIT_BOX) == nullptr)
                user.complain("not the library's print dialog");
            user.press(print, IDCANCEL);
        },
        [&] { return gprint_printFileDialog(1, listing.c_str(), nullptr); });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(GetFileAttributesA(listing.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(vexl::print_options().contentKind, 1);
}

TEST_F(PrintEntriesTest, SetupDialogAnswersOneOrMinusOne) {
    REQUIRE_PRINTER();
    for (const auto &[button, expected] : {std::pair{IDOK, 1}, std::pair{IDCANCEL, -1}}) {
        const int result = run(
            [button = button](DialogUser &user) {
                HWND setup = user.wait_for_any_dialog();
                user.press(setup, button);
            },
            [] { return gprint_printSetupDialog(0, nullptr); });
        EXPECT_EQ(result, expected) << button;
    }
}

// The application's window procedure runs inside the dialog's message loop
// and asks for another dialog: refused at once, with no second dialog.
std::vector<int> inner_results;

LRESULT CALLBACK calling_back(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_APP)
        return DefWindowProcA(window, message, wparam, lparam);
    inner_results.push_back(gprint_printSetupDialog(0, window));
    inner_results.push_back(gprint_printFileDialog(1, "inner.txt", window));
    return 0;
}

TEST_F(PrintEntriesTest, DialogCalledFromInsideADialogIsRefused) {
    REQUIRE_PRINTER();
    WNDCLASSA kind{};
    kind.lpfnWndProc = calling_back;
    kind.hInstance = GetModuleHandleA(nullptr);
    kind.lpszClassName = "vexl33 calling back";
    RegisterClassA(&kind);
    HWND owner = CreateWindowA(kind.lpszClassName, "vexl33 owner", WS_OVERLAPPED, 0, 0, 10, 10,
                               nullptr, nullptr, kind.hInstance, nullptr);
    ASSERT_NE(owner, nullptr);
    inner_results.clear();
    std::string windows_inside;
    const int result = run(
        [&](DialogUser &user) {
            HWND setup = user.wait_for_any_dialog();
            user.send_and_wait(owner, WM_APP, std::chrono::seconds(10));
            windows_inside = user.open_windows();
            user.press(setup, IDCANCEL);
        },
        [&] { return gprint_printSetupDialog(0, owner); });
    DestroyWindow(owner);
    UnregisterClassA(kind.lpszClassName, kind.hInstance);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(inner_results, (std::vector<int>{0, 0}));
    EXPECT_EQ(std::count(windows_inside.begin(), windows_inside.end(), '\n'), 1) << windows_inside;
}

} // namespace
