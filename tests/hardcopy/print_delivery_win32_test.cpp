// Delivering finished files under Windows: by content kind and destination,
// with the results that tell success from failure, the messages, and the
// delivered file erased afterwards. The printer's own context and scale
// calls are here too. Text printed for real on the test printer is read back
// by tests/hardcopy/check_printed_text.sh, which runs PrintedText.* with a
// job name; without it those cases are skipped.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "dialog_user_win32.h"
#include "export_fixtures_win32.h"
#include "hardcopy/print_dialog_win32.h"
#include "hardcopy/print_options.h"
#include "hardcopy/text_job_win32.h"
#include "plot/gplot.h"
#include "plot/gplot_win32.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using vexl::test::DialogUser;
using vexl::test::ScopedEnv;
using vexl::test::TempDir;

bool have_test_printer() {
    const char *name = std::getenv("VEXL_TEST_PRINTER");
    return name != nullptr && *name != '\0';
}

#define REQUIRE_PRINTER()                                                                          \
    if (!have_test_printer())                                                                      \
    GTEST_SKIP() << "no test printer (scripts/test sets up one and names it in VEXL_TEST_PRINTER)"

bool exists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void forget_printer_context() {
    if (HDC context = static_cast<HDC>(vexl::take_print_dialog_printer_context()))
        DeleteDC(context);
}

// A window of the test's own, disabled as an application disables its
// window while it prints.
class OwnerWindow {
  public:
    OwnerWindow()
        : window_(CreateWindowA("STATIC", "vexl33 owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                nullptr, nullptr, nullptr)) {
        EnableWindow(window_, FALSE);
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    OwnerWindow(const OwnerWindow &) = delete;
    OwnerWindow &operator=(const OwnerWindow &) = delete;
    HWND get() const { return window_; }

  private:
    HWND window_;
};

class Delivery : public ::testing::Test {
  protected:
    void SetUp() override { vexl::print_options() = vexl::PrintOptions{}; }
    void TearDown() override {
        forget_printer_context();
        vexl::set_print_dialog_copies(1);
        vexl::print_options() = saved_;
    }

    // Print to file of this type under the name given.
    void choose_file(vexl::PrintFileType type, const std::string &name) {
        vexl::PrintOptions &options = vexl::print_options();
        options.printToFile = 1;
        options.fileType = type;
        options.printToFileName = name;
    }

    // Delivers with a user at hand: a message box nobody expected is closed
    // after a while and the case fails, instead of waiting for ever.
    int deliver(int32_t kind, const std::string &path, void *window = nullptr) {
        DialogUser watcher([](DialogUser &) {}, std::chrono::seconds(20));
        const int result = gprint_printFile(kind, path.c_str(), window);
        watcher.finish();
        EXPECT_FALSE(watcher.timed_out()) << "a message box was left open";
        return result;
    }

    TempDir dir_;

  private:
    const vexl::PrintOptions saved_ = vexl::print_options();
    // Messages of the library go to the error stream, never to a box.
    ScopedEnv to_stream_{"STDERR_OUTPUT", "1"};
};

// ---- Graphics ---------------------------------------------------------------------

// A printer plot was printed as it was drawn: its recording is only thrown
// away.
TEST_F(Delivery, GraphicsForThePrinterReturnOneAndEraseTheRecording) {
    const std::string recorded = dir_.write("plot.emf", "EMF");
    EXPECT_EQ(deliver(0, recorded, nullptr), 1);
    EXPECT_FALSE(exists(recorded));
    // Nothing is read, so no file is needed either.
    EXPECT_EQ(gprint_printFile(0, nullptr, nullptr), 1);
}

TEST_F(Delivery, FilesAreCopiedUnderTheChosenNameForEachType) {
    struct Case {
        int32_t kind;
        vexl::PrintFileType type;
        const char *name;
    };
    for (const Case &c : {Case{0, vexl::PrintFileType::EmfOrText, "sheet.emf"},
                          Case{0, vexl::PrintFileType::Hpgl2, "sheet.hgl"},
                          Case{1, vexl::PrintFileType::EmfOrText, "listing.txt"}}) {
        const std::string target = dir_.file(c.name);
        dir_.write(c.name, "an older file of that name");
        choose_file(c.type, target);
        const std::string made = dir_.write("made.tmp", std::string("content \0 of ", 12) + c.name);
        EXPECT_EQ(deliver(c.kind, made, nullptr), 1) << c.name;
        EXPECT_EQ(TempDir::read(target), std::string("content \0 of ", 12) + c.name);
        EXPECT_FALSE(exists(made)) << c.name;
    }
}

// Fault: when the copy failed the result was the answer to the message box,
// which cannot tell a failure from a success. The copy's own 0 now says it.
TEST_F(Delivery, FailedCopyTellsTheUserAndReturnsZero) {
    const std::string target = dir_.file("no such folder\\sheet.hgl");
    choose_file(vexl::PrintFileType::Hpgl2, target);
    const std::string made = dir_.write("made.hgl", "IN;");
    std::string told;
    const int result = vexl::test::run_with_user(
        [&](DialogUser &user) {
            HWND box = user.wait_for("Error");
            told = DialogUser::text_of(box);
            user.press(box, IDOK);
        },
        [&] { return gprint_printFile(0, made.c_str(), nullptr); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(told, "Could not save " + target + " ?");
    EXPECT_FALSE(exists(made)) << "the delivered file goes whatever the outcome";
}

// Fault: a plot recorded under the very name chosen for it could not be
// copied onto itself, and was then erased as a delivered file: the user's
// file was lost.
TEST_F(Delivery, FileAlreadyUnderTheChosenNameIsKept) {
    const std::string target = dir_.write("sheet.hgl", "IN;PG;");
    choose_file(vexl::PrintFileType::Hpgl2, target);
    EXPECT_EQ(deliver(0, target, nullptr), 1);
    EXPECT_EQ(TempDir::read(target), "IN;PG;");
    // Going to the printer, the same file is only a recording.
    vexl::print_options().printToFile = 0;
    EXPECT_EQ(deliver(0, target, nullptr), 1);
    EXPECT_FALSE(exists(target));
}

// Fault: a Windows metafile delivery returned 0 whatever the conversion
// did; it now returns the conversion's own result.
TEST_F(Delivery, WindowsMetafileDeliveryReturnsTheConversionsResult) {
    const std::string target = dir_.file("sheet.wmf");
    for (const int32_t placeable : {0, 1}) {
        choose_file(vexl::PrintFileType::Wmf, target);
        vexl::print_options().aldusPlaceable = placeable;
        const std::string recorded = dir_.file("plot.emf");
        vexl::test::record_known_shapes(recorded);
        EXPECT_EQ(deliver(0, recorded), 1) << placeable;
        EXPECT_FALSE(exists(recorded)) << placeable;
        const std::string written = TempDir::read(target);
        ASSERT_GE(written.size(), 22u) << placeable;
        // The placeable header's key, or the standard header's type and size.
        const std::string start =
            placeable ? std::string("\xD7\xCD\xC6\x9A", 4) : std::string("\x01\x00\x09\x00", 4);
        EXPECT_EQ(written.substr(0, 4), start) << placeable;
    }
    // A recording that is no metafile converts to nothing.
    const std::string foreign = dir_.write("plot.emf", "no records here");
    testing::internal::CaptureStderr();
    EXPECT_EQ(deliver(0, foreign), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "EMF file open error\n");
    EXPECT_FALSE(exists(foreign));
}

// The clipboard is written through the clipboard calls of the library; what
// they put there is read back through the system's own.
TEST_F(Delivery, ClipboardGetsTheMetafileAndTheRecordingGoes) {
    vexl::print_options().copyToClipboard = 1;
    vexl::print_options().printToFile = 1; // the clipboard comes first
    const std::string recorded = dir_.file("plot.emf");
    vexl::test::record_known_shapes(recorded);
    HENHMETAFILE source = GetEnhMetaFileA(recorded.c_str());
    ASSERT_NE(source, nullptr);
    const std::vector<unsigned char> bits = vexl::test::metafile_bits(source);
    DeleteEnhMetaFile(source);
    vexl::test::put_clipboard_text("before");
    EXPECT_NE(deliver(0, recorded), 0);
    EXPECT_EQ(vexl::test::clipboard_metafile_bits(), bits);
    EXPECT_FALSE(exists(recorded));
}

// The clipboard's text call answers 0 whatever happened, and so does the
// delivery; the clipboard shows that the text arrived.
TEST_F(Delivery, ClipboardGetsTheTextAndTheFileGoes) {
    vexl::print_options().copyToClipboard = 1;
    const std::string listing = dir_.write("listing.txt", "first\tline\nsecond line\n");
    vexl::test::put_clipboard_text("before");
    EXPECT_EQ(deliver(1, listing), 0);
    EXPECT_EQ(vexl::test::clipboard_text_block(), std::string("first\tline\nsecond line\n") + '\0');
    EXPECT_FALSE(exists(listing));
}

TEST_F(Delivery, OtherContentKindsDeliverNothingButStillEraseTheFile) {
    for (const int32_t kind : {2, -1}) {
        const std::string made = dir_.write("made.tmp", "?");
        EXPECT_EQ(deliver(kind, made, nullptr), 0) << kind;
        EXPECT_FALSE(exists(made)) << kind;
    }
}

TEST_F(Delivery, CursorBeforeTheDeliveryComesBack) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(arrow);
    const std::string made = dir_.write("plot.emf", "EMF");
    deliver(0, made, nullptr);
    EXPECT_EQ(GetCursor(), arrow);
}

// ---- Text on the printer -----------------------------------------------------------

TEST_F(Delivery, TextWithoutAPrinterContextIsAPrintFailure) {
    forget_printer_context();
    const std::string listing = dir_.write("listing.txt", "text\n");
    testing::internal::CaptureStderr();
    const int result = deliver(1, listing, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Print failure for " + listing + " : (Printer:hDC=NULL)\n");
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(exists(listing));
}

// Whatever ends a text job, the owner is usable again.
TEST_F(Delivery, UnreadableTextFailsAndStillEnablesTheOwner) {
    OwnerWindow owner;
    const std::string missing = dir_.file("missing.txt");
    testing::internal::CaptureStderr();
    EXPECT_EQ(vexl::print_text_job(nullptr, missing.c_str(), owner.get(), 99), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Print: could not open file " + missing + "\n");
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
}

// A printer that cannot start the job: a memory context is no printer.
TEST_F(Delivery, JobThePrinterRefusesIsUnableToStart) {
    OwnerWindow owner;
    HDC not_a_printer = CreateCompatibleDC(nullptr);
    const std::string listing = dir_.write("listing.txt", "text\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(vexl::print_text_job(not_a_printer, listing.c_str(), owner.get(), 99), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unable to start print job\n");
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
    DeleteDC(not_a_printer);
}

// ---- Printer context and scale -----------------------------------------------------

TEST_F(Delivery, GetPrinterDCLendsTheDialogsContext) {
    REQUIRE_PRINTER();
    ASSERT_EQ(PrintSetup_Dialog(nullptr, 0, 1), 1);
    hDCstate state = HDC_NONE;
    void *context = GetPrinterDC(reinterpret_cast<void *>(1), &state);
    EXPECT_NE(context, nullptr);
    EXPECT_EQ(context, vexl::print_dialog_printer_context());
    EXPECT_EQ(state, HDC_PRINTER);
    forget_printer_context();
    EXPECT_EQ(GetPrinterDC(nullptr, &state), nullptr);
}

// The default printer is found only when the spooler reports it for
// PRINTER_ENUM_DEFAULT and its level-5 record, names included, fits in 60
// bytes; the spooler says how much it needs. (Only the Windows 9x spoolers
// answer that flag; Wine's reports no printer, and so there is none.)
TEST_F(Delivery, CreatePrinterDCFindsTheDefaultPrinterWithinSixtyBytes) {
    REQUIRE_PRINTER();
    DWORD needed = 0, returned = 0;
    EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 5, nullptr, 0, &needed, &returned);
    HDC context = static_cast<HDC>(CreatePrinterDC());
    if (needed > 0 && needed <= 60) {
        ASSERT_NE(context, nullptr) << needed << " bytes";
        EXPECT_EQ(GetDeviceCaps(context, TECHNOLOGY), DT_RASPRINTER);
        DeleteDC(context);
    } else {
        EXPECT_EQ(context, nullptr) << needed << " bytes";
    }
}

TEST_F(Delivery, ScaleFactorIsTheDeviceModesScaleAndIsRemembered) {
    REQUIRE_PRINTER();
    ASSERT_EQ(PrintSetup_Dialog(nullptr, 0, 0), 1);
    HGLOBAL mode = static_cast<HGLOBAL>(vexl::print_dialog_device_mode());
    ASSERT_NE(mode, nullptr);
    auto *device_mode = static_cast<DEVMODEA *>(GlobalLock(mode));
    ASSERT_NE(device_mode, nullptr);
    const short scale = device_mode->dmScale;
    device_mode->dmScale = 37;
    GlobalUnlock(mode);
    EXPECT_EQ(GetScaleFactor(), 37.0);
    device_mode = static_cast<DEVMODEA *>(GlobalLock(mode));
    device_mode->dmScale = scale;
    GlobalUnlock(mode);
    EXPECT_EQ(GetScaleFactor(), static_cast<double>(scale));
}

// ---- Printed for real (run by check_printed_text.sh) ----------------------------------

const char *print_job_name() {
    const char *job = std::getenv("VEXL_TEST_PRINT_JOB");
    return have_test_printer() && job != nullptr && *job != '\0' ? job : nullptr;
}

#define REQUIRE_PRINT_JOB()                                                                        \
    if (print_job_name() == nullptr)                                                               \
    GTEST_SKIP() << "run by check_printed_text.sh with the test printer"

using PrintedText = Delivery;

// The lines the printer must show, computed from its own font: the long
// line cut every characters-per-line - 1 characters. The check script
// compares them with the text of the PDF.
TEST_F(PrintedText, TextFilePrintsItsLinesWithTabsExpandedAndLongLinesCut) {
    REQUIRE_PRINT_JOB();
    const std::string job = print_job_name();
    ASSERT_EQ(PrintSetup_Dialog(nullptr, 0, 1), 1);
    HDC printer = static_cast<HDC>(vexl::print_dialog_printer_context());
    ASSERT_NE(printer, nullptr);
    TEXTMETRICA font{};
    ASSERT_TRUE(GetTextMetricsA(printer, &font));
    ASSERT_GT(font.tmAveCharWidth, 0);
    const int per_line = GetDeviceCaps(printer, HORZRES) / font.tmAveCharWidth;
    ASSERT_GT(per_line, 2);
    ASSERT_LT(per_line - 1, 200) << "the long line would not be cut";

    std::string long_line;
    for (int i = 0; i < 200; ++i)
        long_line += static_cast<char>('0' + i % 10);
    const std::string text = "vexl33 text job " + job + "\na\tb\n" + long_line + "\nlast line\n";
    std::string expected = "vexl33 text job " + job + "\na        b\n";
    for (std::size_t at = 0; at < long_line.size(); at += per_line - 1)
        expected += long_line.substr(at, per_line - 1) + "\n";
    expected += "last line\n";
    std::ofstream(job + ".expected", std::ios::binary) << expected;

    ScopedEnv default_tabs("MOLVERN_TABSTOP", nullptr);
    OwnerWindow owner;
    const std::string listing = dir_.write(job + ".txt", text);
    EXPECT_EQ(deliver(1, listing, owner.get()), 1);
    EXPECT_FALSE(exists(listing));
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
    // The job used the dialog's context up.
    EXPECT_EQ(vexl::print_dialog_printer_context(), nullptr);
}

TEST_F(PrintedText, ThreeCopiesAreThreeJobs) {
    REQUIRE_PRINT_JOB();
    ASSERT_EQ(PrintSetup_Dialog(nullptr, 0, 1), 1);
    vexl::set_print_dialog_copies(3);
    const std::string job = std::string(print_job_name()) + "_copies";
    const std::string listing = dir_.write(job + ".txt", "vexl33 text job " + job + "\n");
    EXPECT_EQ(deliver(1, listing, nullptr), 1);
    EXPECT_FALSE(exists(listing));
}

} // namespace
