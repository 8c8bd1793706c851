// The print dialog for real under Wine, with the test printer that
// scripts/test sets up as the default destination (its queue name in
// VEXL_TEST_PRINTER; without it there is no printer and the cases are
// skipped). A driver thread clicks the library's boxes and ends each dialog;
// its deadline closes any dialog left open and fails the case.
//
// FirstPrintDialog runs alone in a fresh process (see CMakeLists.txt): the
// first dialog of a process sets the options' defaults.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "dialog_driver_win32.h"
#include "hardcopy/dialog_ids.h"
#include "hardcopy/print_dialog_rules.h"
#include "hardcopy/print_dialog_win32.h"
#include "hardcopy/print_options.h"
#include "plot/gplot_win32.h"

namespace {

using vexl::test::click;
using vexl::test::DialogDriver;
using vexl::test::has_control;
using vexl::test::is_checked;
using vexl::test::is_enabled;

const char *test_printer() {
    const char *name = std::getenv("VEXL_TEST_PRINTER");
    return name != nullptr && *name != '\0' ? name : nullptr;
}

#define REQUIRE_TEST_PRINTER()                                                                     \
    if (test_printer() == nullptr)                                                                 \
    GTEST_SKIP() << "no test printer (scripts/test sets up one and names it in VEXL_TEST_PRINTER)"

// How a box looked at one moment of a script.
struct Box {
    bool checked = false;
    bool enabled = false;
    bool operator==(const Box &other) const {
        return checked == other.checked && enabled == other.enabled;
    }
};
std::ostream &operator<<(std::ostream &out, const Box &box) {
    return out << (box.checked ? "checked" : "clear") << (box.enabled ? "" : ", disabled");
}
constexpr Box kOn{true, true}, kOff{false, true}, kOnFixed{true, false}, kOffFixed{false, false};

Box look(HWND dialog, int box) {
    return {is_checked(dialog, box), is_enabled(dialog, box)};
}

// Runs one dialog with a script; -1, and a failure, when the script did not
// run or the dialog did not end in time.
template <typename Call>
int drive(DialogDriver::Script script, Call call) {
    DialogDriver driver(std::move(script));
    const int result = call();
    driver.finish();
    if (driver.ran() && !driver.timed_out())
        return result;
    ADD_FAILURE() << "the dialog's script did not run or the dialog did not end in time";
    return -1;
}

// No dialog has chosen a printer yet: the scale is the full page.
TEST(FirstPrintDialog, ScaleFactorBeforeAnyDialogIsOneHundred) {
    EXPECT_EQ(GetScaleFactor(), 100.0);
}

TEST(FirstPrintDialog, SetsTheDefaultsAndShowsThemOnTheBoxes) {
    REQUIRE_TEST_PRINTER();
    EXPECT_EQ(scaleToFitPageSelected(), 0);
    EXPECT_EQ(AldusPlaceableSelected(), 0);
    Box file, clipboard, scale, colour;
    const int result = drive(
        [&](HWND dialog) {
            file = look(dialog, VEXL_PRINT_TO_FILE_BOX);
            clipboard = look(dialog, VEXL_COPY_TO_CLIPBOARD_BOX);
            scale = look(dialog, VEXL_SCALE_TO_FIT_BOX);
            colour = look(dialog, VEXL_COLOUR_BOX);
            click(dialog, IDOK);
        },
        [] { return PrintSetup_Dialog(nullptr, vexl::kLibraryPrintDialog, 0); });
    ASSERT_EQ(result, 1);
    EXPECT_EQ(getPrintStatus(), 1);
    EXPECT_EQ(
        (std::vector<int>{scaleToFitPageSelected(), AldusPlaceableSelected(), printToFileSelected(),
                          copyToClipboardSelected(), colorOutputSelected()}),
        (std::vector<int>{1, 1, 0, 0, 0}));
    EXPECT_EQ(file, kOff);
    // Never switched off by the application, copy to clipboard is offered.
    EXPECT_EQ(clipboard, kOff);
    EXPECT_EQ(scale, kOn);
    EXPECT_EQ(colour, kOff);
    EXPECT_NE(vexl::print_dialog_printer_context(), nullptr);
}

// Every case starts from the options of a first dialog, and leaves no printer
// context behind.
class PrintDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_TEST_PRINTER();
        // Sets the record up without showing a dialog.
        ASSERT_EQ(PrintSetup_Dialog(nullptr, vexl::kDefaultPrinterDialog, 0), 1);
        vexl::set_first_print_dialog_options(vexl::print_options());
    }
    void TearDown() override {
        if (HDC context = static_cast<HDC>(vexl::take_print_dialog_printer_context()))
            DeleteDC(context);
    }
};

TEST_F(PrintDialog, DestinationsExcludeEachOtherAndForceTheColourBox) {
    struct Step {
        Box file, clipboard, colour;
    } clipboard_on, file_on, file_off, colour_on, file_on_again, file_off_again;
    auto steps = [](HWND dialog) {
        return Step{look(dialog, VEXL_PRINT_TO_FILE_BOX), look(dialog, VEXL_COPY_TO_CLIPBOARD_BOX),
                    look(dialog, VEXL_COLOUR_BOX)};
    };
    const int result = drive(
        [&](HWND dialog) {
            click(dialog, VEXL_COPY_TO_CLIPBOARD_BOX);
            clipboard_on = steps(dialog);
            click(dialog, VEXL_PRINT_TO_FILE_BOX);
            file_on = steps(dialog);
            click(dialog, VEXL_PRINT_TO_FILE_BOX);
            file_off = steps(dialog);
            click(dialog, VEXL_COLOUR_BOX);
            colour_on = steps(dialog);
            click(dialog, VEXL_PRINT_TO_FILE_BOX);
            file_on_again = steps(dialog);
            click(dialog, VEXL_PRINT_TO_FILE_BOX);
            file_off_again = steps(dialog);
            click(dialog, VEXL_PRINT_TO_FILE_BOX);
            click(dialog, IDOK);
        },
        [] { return PrintSetup_Dialog(nullptr, vexl::kLibraryPrintDialog, 0); });
    ASSERT_EQ(result, 1);

    EXPECT_TRUE(clipboard_on.clipboard.checked);
    EXPECT_EQ(clipboard_on.colour, kOnFixed);
    // Print to file takes over from the clipboard.
    EXPECT_TRUE(file_on.file.checked);
    EXPECT_FALSE(file_on.clipboard.checked);
    EXPECT_EQ(file_on.colour, kOnFixed);
    // Back on the printer, the colour box shows the stored choice: off ...
    EXPECT_FALSE(file_off.file.checked);
    EXPECT_EQ(file_off.colour, kOff);
    EXPECT_TRUE(colour_on.colour.checked);
    EXPECT_FALSE(file_on_again.colour.enabled);
    // ... and on, once it was chosen.
    EXPECT_EQ(file_off_again.colour, kOn);

    EXPECT_EQ((std::vector<int>{printToFileSelected(), copyToClipboardSelected(),
                                colorOutputSelected(), getPrintStatus()}),
              (std::vector<int>{1, 0, 1, 1}));
}

TEST_F(PrintDialog, ScaleToFitIsOfferedForGraphicsOnly) {
    Box text_scale, graphics_scale;
    ASSERT_EQ(drive(
                  [&](HWND dialog) {
                      text_scale = look(dialog, VEXL_SCALE_TO_FIT_BOX);
                      click(dialog, IDCANCEL);
                  },
                  [] { return PrintSetup_Dialog(nullptr, vexl::kLibraryPrintDialog, 1); }),
              0);
    EXPECT_EQ(getPrintStatus(), 0);
    EXPECT_EQ(text_scale, kOnFixed);

    ASSERT_EQ(drive(
                  [&](HWND dialog) {
                      click(dialog, VEXL_SCALE_TO_FIT_BOX);
                      graphics_scale = look(dialog, VEXL_SCALE_TO_FIT_BOX);
                      click(dialog, IDOK);
                  },
                  [] { return PrintSetup_Dialog(nullptr, vexl::kLibraryPrintDialog, 0); }),
              1);
    EXPECT_EQ(graphics_scale, kOff);
    EXPECT_EQ(scaleToFitPageSelected(), 0);
}

TEST_F(PrintDialog, ClipboardSwitchedOffIsNeitherOfferedNorShown) {
    vexl::print_options().copyToClipboardActive = 0;
    Box clipboard;
    drive(
        [&](HWND dialog) {
            clipboard = look(dialog, VEXL_COPY_TO_CLIPBOARD_BOX);
            click(dialog, IDCANCEL);
        },
        [] { return PrintSetup_Dialog(nullptr, vexl::kLibraryPrintDialog, 0); });
    EXPECT_EQ(clipboard, kOffFixed);
}

// The library's boxes belong to its own dialog only; the plain print dialog
// hides the system's print-to-file box, the set-up dialog is the system's.
TEST_F(PrintDialog, EachKindShowsItsOwnDialogUnderTheGivenOwner) {
    HWND owner = CreateWindowExA(0, "STATIC", "vexl33 owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    struct Seen {
        bool library_boxes = false;
        bool system_file_box_visible = false;
        HWND owner = nullptr;
    } library, plain, setup;
    auto seen = [](HWND dialog) {
        HWND system_file_box = GetDlgItem(dialog, chx1);
        return Seen{has_control(dialog, VEXL_PRINT_TO_FILE_BOX),
                    system_file_box != nullptr && IsWindowVisible(system_file_box) != FALSE,
                    GetWindow(dialog, GW_OWNER)};
    };
    for (auto [kind, into] : {std::pair{vexl::kLibraryPrintDialog, &library},
                              std::pair{vexl::kPlainPrintDialog, &plain},
                              std::pair{vexl::kPrinterSetupDialog, &setup}}) {
        ASSERT_NE(drive(
                      [&, into = into](HWND dialog) {
                          *into = seen(dialog);
                          click(dialog, IDCANCEL);
                      },
                      [&, kind = kind] { return PrintSetup_Dialog(owner, kind, 0); }),
                  -1)
            << "dialog kind " << kind;
    }
    DestroyWindow(owner);
    EXPECT_TRUE(library.library_boxes);
    EXPECT_FALSE(library.system_file_box_visible);
    EXPECT_FALSE(plain.library_boxes);
    EXPECT_FALSE(plain.system_file_box_visible);
    EXPECT_FALSE(setup.library_boxes);
    EXPECT_EQ(library.owner, owner);
    EXPECT_EQ(plain.owner, owner);
    EXPECT_EQ(setup.owner, owner);
}

// Each call gives back the context the previous one left and keeps its own.
TEST_F(PrintDialog, DefaultPrinterContextIsReplacedAtEachCall) {
    HDC first = static_cast<HDC>(vexl::print_dialog_printer_context());
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_DC));
    ASSERT_EQ(PrintSetup_Dialog(nullptr, vexl::kDefaultPrinterDialog, 0), 1);
    HDC second = static_cast<HDC>(vexl::print_dialog_printer_context());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_DC));
    if (second != first) { // a handle can be reused at once
        EXPECT_EQ(GetObjectType(first), 0u);
    }
    EXPECT_GE(vexl::print_dialog_copies(), 1);
    EXPECT_EQ(getPrintStatus(), 1);
}

// Asking for the default printer again, once the record holds a printer
// chosen earlier, used to fail: the system refuses the request while a
// printer is set.
TEST_F(PrintDialog, DefaultPrinterAfterAChosenPrinter) {
    ASSERT_EQ(drive([](HWND dialog) { click(dialog, IDOK); },
                    [] { return PrintSetup_Dialog(nullptr, vexl::kPlainPrintDialog, 0); }),
              1);
    EXPECT_EQ(PrintSetup_Dialog(nullptr, vexl::kDefaultPrinterDialog, 0), 1)
        << "extended error " << CommDlgExtendedError();
    EXPECT_NE(vexl::print_dialog_printer_context(), nullptr);
    EXPECT_EQ(getPrintStatus(), 1);
}

// A script that never ends its dialog: the deadline cancels the dialog, and
// the driver says so.
TEST_F(PrintDialog, DriverClosesADialogLeftOpenAtItsDeadline) {
    DialogDriver driver([](HWND) {}, {}, 1500);
    const int result = PrintSetup_Dialog(nullptr, vexl::kLibraryPrintDialog, 0);
    driver.finish();
    EXPECT_TRUE(driver.ran());
    EXPECT_TRUE(driver.timed_out());
    EXPECT_EQ(result, 0);
    EXPECT_EQ(getPrintStatus(), 0);
}

// The platform itself: the default printer is the test printer, and its
// context describes a real page.
TEST(TestPrinter, ReturnDefaultGivesTheTestPrintersContext) {
    REQUIRE_TEST_PRINTER();
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    ASSERT_TRUE(PrintDlgA(&dialog)) << "extended error " << CommDlgExtendedError();
    ASSERT_NE(dialog.hDC, nullptr);
    ASSERT_NE(dialog.hDevNames, nullptr);
    const auto *names = static_cast<const DEVNAMES *>(GlobalLock(dialog.hDevNames));
    const std::string device = reinterpret_cast<const char *>(names) + names->wDeviceOffset;
    GlobalUnlock(dialog.hDevNames);
    EXPECT_EQ(device, test_printer());

    const int width = GetDeviceCaps(dialog.hDC, HORZRES);
    const int height = GetDeviceCaps(dialog.hDC, VERTRES);
    const int width_mm = GetDeviceCaps(dialog.hDC, HORZSIZE);
    const int dpi = GetDeviceCaps(dialog.hDC, LOGPIXELSX);
    EXPECT_GT(height, width); // portrait
    ASSERT_GT(dpi, 0);
    // The printable width in pixels is the width in millimetres at the
    // printer's resolution (A4 or Letter, less the margins).
    EXPECT_GT(width_mm, 150);
    EXPECT_LT(width_mm, 220);
    EXPECT_NEAR(width, width_mm * dpi / 25.4, dpi / 10.0);
    DeleteDC(dialog.hDC);
    GlobalFree(dialog.hDevMode);
    GlobalFree(dialog.hDevNames);
}

} // namespace
