// The Windows graphics device's life: what a new window plot starts with,
// resizing, the hard-copy kinds before their output exists, opens that fail,
// the exported context calls, and no GDI object left behind by a thousand
// plots opened, drawn and closed.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "colour/pattern_table.h"
#include "devices/gdi_device_win32.h"
#include "gdi_window_win32.h"
#include "hardcopy/print_options.h"
#include "hardcopy/saved_print_options.h"
#include "plot/gplot.h"
#include "plot/gplot_win32.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using vexl::test::Deadline;
using vexl::test::kBackdrop;
using vexl::test::TestWindow;

constexpr int kWidth = 120;
constexpr int kHeight = 90;

using Ints = std::vector<int32_t>;

Ints four(const int32_t (&values)[4]) {
    return Ints(values, values + 4);
}

// Opened through the general entry with the screen kind.
TEST(GdiLifecycle, WindowPlotStartsWithTheScreenDefaults) {
    Deadline deadline(60, "window plot defaults");
    TestWindow &window = TestWindow::shared(kWidth, kHeight);
    GPlot *plot = gplot_open(GPLOT_SCREEN, window.handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->device_kind, GPLOT_SCREEN);
    auto *device = static_cast<GXWINwin32 *>(plot->device);
    EXPECT_EQ(device->hWnd, window.handle());
    EXPECT_EQ(device->window, window.handle());
    EXPECT_EQ(device->device_context_state(), HDC_WINDOW);
    EXPECT_EQ((Ints{plot->foreground_color, plot->background_color, plot->transparency,
                    plot->line_type, plot->fill_pattern, plot->marker, plot->line_clipping}),
              (Ints{8, 0, 255, 0, -1, 2, 1}));
    EXPECT_EQ(four(plot->device_extent), (Ints{0, kHeight, kWidth, 0}));
    EXPECT_EQ(four(plot->device_viewport), four(plot->device_extent));
    EXPECT_EQ(four(plot->world), (Ints{0, 0, 1000, 1000}));
    EXPECT_EQ(four(plot->clip_world), four(plot->world));
    int32_t width = 0, height = 0;
    EXPECT_TRUE(device->get_width_n_height(&width, &height));
    EXPECT_EQ((Ints{width, height}), (Ints{kWidth, kHeight}));
    EXPECT_EQ(GetBkMode(device->device_context()), TRANSPARENT);
    EXPECT_GT(device->width_pixels, 0);
    EXPECT_GT(device->width_mm, 0.0);
    EXPECT_EQ(gplot_close(plot), 1);
}

TEST(GdiLifecycle, ResizeFollowsTheWindowAndKeepsTheClipRectangle) {
    Deadline deadline(60, "resizing a window plot");
    TestWindow &window = TestWindow::shared(kWidth, kHeight);
    GPlot *plot = gplot_open_screen(window.handle());
    ASSERT_NE(plot, nullptr);
    const int32_t clip[4] = {100, 100, 500, 500};
    ASSERT_EQ(gplot_set_clip_world(plot, clip), 1);
    SetWindowPos(window.handle(), nullptr, 0, 0, 200, 150, SWP_NOZORDER | SWP_NOMOVE);
    TestWindow::pump();
    ASSERT_EQ(gplot_resize_plot(plot), 1);
    EXPECT_EQ(four(plot->device_extent), (Ints{0, 150, 200, 0}));
    EXPECT_TRUE(plot->device->clip_on);
    // The clip region follows the new mapping: world (100..500) is device
    // x 20..100.
    RECT box{};
    ASSERT_NE(GetClipBox(static_cast<GXWINwin32 *>(plot->device)->device_context(), &box), ERROR);
    EXPECT_EQ((Ints{box.left, box.right}), (Ints{20, 101}));
    EXPECT_EQ(gplot_close(plot), 1);
}

TEST(GdiLifecycle, ResizeOfAVanishedWindowIsCode32) {
    Deadline deadline(60, "resizing after the window is gone");
    GPlot *plot = nullptr;
    {
        TestWindow window(kWidth, kHeight);
        plot = gplot_open_screen(window.handle());
        ASSERT_NE(plot, nullptr);
    }
    EXPECT_EQ(gplot_resize_plot(plot), 0);
    EXPECT_EQ(GplotErrno, 32);
    EXPECT_EQ(gplot_close(plot), 1);
}

// ---- Hard-copy kinds: the world window begins their output -------------------------

using vexl::test::SavedPrintOptions;

class HardCopyKinds : public ::testing::TestWithParam<GPlotDevice> {
  protected:
    GPlot *open(const char *file) {
        switch (GetParam()) {
            case GPLOT_FILE:
                return gplot_open_file(file, 0, 0, nullptr);
            case GPLOT_PRINT:
                return gplot_open_print(file, 0, 0, nullptr);
            default:
                return gplot_open_clipboard(nullptr);
        }
    }
};

TEST_P(HardCopyKinds, WorldWindowBeginsTheOutput) {
    Deadline deadline(60, "a hard-copy plot's world window");
    // The active window lends the reference context.
    TestWindow &window = TestWindow::shared(kWidth, kHeight);
    SavedPrintOptions saved;
    vexl::print_options() = vexl::PrintOptions{};
    vexl::test::TempDir dir;
    const std::string file = dir.file("picture.emf");
    GPlot *plot = open(file.c_str());
    ASSERT_NE(plot, nullptr) << "code " << GplotErrno;
    auto *device = static_cast<GXWINwin32 *>(plot->device);
    EXPECT_EQ(device->hWnd, window.handle());
    EXPECT_EQ(device->device_context_state(), HDC_WINDOW);
    EXPECT_FALSE(device->hardcopyStarted);
    const vexl::gdi::GdiRect &rect = device->hardcopy_rectangle();
    EXPECT_EQ(rect.right, device->width_pixels);
    EXPECT_EQ(rect.bottom, device->height_pixels);
    EXPECT_EQ(plot->device_extent[2], device->width_pixels - 1);

    const int32_t world[4] = {0, 0, 2000, 1000};
    const std::string name = device->fileName;
    if (GetParam() == GPLOT_PRINT) {
        // No printer was chosen: the window's context cannot take a job.
        testing::internal::CaptureStderr();
        EXPECT_EQ(gplot_set_world(plot, world), 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unable to start print job (StartDoc)\n");
        EXPECT_FALSE(device->hardcopyStarted);
        EXPECT_EQ(gplot_close(plot), 1);
        EXPECT_FALSE(std::filesystem::exists(file));
        return;
    }
    EXPECT_EQ(gplot_set_world(plot, world), 1);
    EXPECT_TRUE(device->hardcopyStarted);
    EXPECT_EQ(device->device_context_state(), HDC_METAFILE);
    int32_t kept[4] = {};
    EXPECT_EQ(gplot_get_world(plot, kept), 1);
    EXPECT_EQ(kept[2], 2000);
    EXPECT_EQ(gplot_close(plot), 1);
    // The recording stays in its file for delivery; a clipboard plot's has
    // gone onto the clipboard and its temporary file away.
    EXPECT_EQ(std::filesystem::exists(name), GetParam() != GPLOT_CLIPBOARD);
    std::filesystem::remove(name);
}

INSTANTIATE_TEST_SUITE_P(FilePrintClipboard, HardCopyKinds,
                         ::testing::Values(GPLOT_FILE, GPLOT_PRINT, GPLOT_CLIPBOARD));

TEST(GdiLifecycle, PrinterChosenButNoPrinterContextIsCode45) {
    Deadline deadline(60, "a print plot without a printer context");
    TestWindow::shared(kWidth, kHeight);
    SavedPrintOptions saved;
    vexl::print_options().printStatus = 1; // a printer was chosen in the print dialog
    const unsigned high_water = vexl::test::gdi_handle_high_water();
    testing::internal::CaptureStderr();
    EXPECT_EQ(gplot_open_print("job", 0, 0, nullptr), nullptr);
    EXPECT_EQ(GplotErrno, 45);
    EXPECT_EQ(gplot_open_file("picture.emf", 0, 0, nullptr), nullptr);
    EXPECT_EQ(GplotErrno, 45);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Could not get device context (hDC).\nCould not get device context (hDC).\n");
    EXPECT_EQ(vexl::test::gdi_handle_high_water(), high_water);
}

// Clipboard plots draw through a hard copy's two passes; until the output
// exists they draw on the window that lends the reference context.
class HardCopyOnTheWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        window_.fill(kBackdrop);
        plot_ = gplot_open_clipboard(nullptr);
        ASSERT_NE(plot_, nullptr);
        device_ = static_cast<GXWINwin32 *>(plot_->device);
        ASSERT_EQ(device_->hWnd, window_.handle());
    }
    void TearDown() override {
        if (plot_ != nullptr) {
            EXPECT_EQ(gplot_close(plot_), 1);
        }
    }
    vexl::test::Snapshot shot() const {
        GdiFlush();
        return vexl::test::Snapshot(window_.handle());
    }

    Deadline deadline_{60, "a hard-copy plot drawing on its reference window"};
    TestWindow &window_ = TestWindow::shared(kWidth, kHeight);
    SavedPrintOptions saved_;
    GPlot *plot_ = nullptr;
    GXWINwin32 *device_ = nullptr;
};

TEST_F(HardCopyOnTheWindow, ColourSetUpStartsBlackOnWhite) {
    vexl::test::ScopedEnv trace("MOLVERN_DEBUG_MODE", "kdhcopy");
    testing::internal::CaptureStderr();
    ASSERT_TRUE(device_->setup_hardcopy_colours());
    const std::string text = testing::internal::GetCapturedStderr();
    char expected[64];
    std::snprintf(expected, sizeof expected, "numColors = %d\n",
                  GetDeviceCaps(device_->device_context(), NUMCOLORS));
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    EXPECT_EQ(plot_->foreground_color, 0);
    LOGPEN pen{};
    GetObject(GetCurrentObject(device_->device_context(), OBJ_PEN), sizeof pen, &pen);
    EXPECT_EQ(pen.lopnColor & 0xFFFFFF, 0u);
    EXPECT_EQ(GetBkMode(device_->device_context()), TRANSPARENT);
}

// Printed output has no background to clear; a file has one only when
// EMF_WHITE_BACKGROUND says so; the clipboard always has one.
TEST_F(HardCopyOnTheWindow, ClearDrawsOnlyWhenTheOutputHasABackground) {
    const COLORREF white = RGB(255, 255, 255);
    device_->backgroundRGB = white;
    const struct {
        int to_file, to_clipboard;
        const char *white_background; // EMF_WHITE_BACKGROUND
        COLORREF after;
    } cases[] = {{0, 0, nullptr, kBackdrop},
                 {1, 0, "OFF", kBackdrop},
                 {1, 0, "yes", white},
                 {0, 1, nullptr, white}};
    for (const auto &c : cases) {
        window_.fill(kBackdrop);
        vexl::print_options().printToFile = c.to_file;
        vexl::print_options().copyToClipboard = c.to_clipboard;
        vexl::test::ScopedEnv background("EMF_WHITE_BACKGROUND", c.white_background);
        ASSERT_EQ(gplot_clear(plot_), 1);
        EXPECT_EQ(shot().count(c.after, 0, 0, kWidth, kHeight), kWidth * kHeight)
            << c.to_file << c.to_clipboard << (c.white_background ? c.white_background : "-");
    }
}

TEST_F(HardCopyOnTheWindow, PatternIsOpaqueWhiteWhereClear) {
    ASSERT_TRUE(device_->set_foreground_color(1, 255));
    const vexl::PatternEntry *pattern = nullptr;
    int32_t index = 0;
    for (const vexl::PatternEntry &entry : vexl::pattern_table()) {
        if (entry.bits.size() == 32 && entry.bits[0] != 0 && entry.bits[0] != 0xFF) {
            pattern = &entry;
            break;
        }
        ++index;
    }
    ASSERT_NE(pattern, nullptr);
    ASSERT_TRUE(device_->set_fill_pattern(index));
    const int32_t rect[4] = {10, 40, 40, 10};
    ASSERT_TRUE(device_->draw_rectangle_device(rect));
    const DevicePointS square[4] = {{60, 10}, {100, 10}, {100, 40}, {60, 40}};
    ASSERT_TRUE(device_->draw_polygon_device(square, 4));
    const vexl::test::Snapshot image = shot();
    int wrong = 0;
    for (int y = 11; y < 39; ++y)
        for (int x : {11, 20, 38, 61, 80, 98}) {
            const bool set = (pattern->bits[static_cast<std::size_t>(y % 16 * 2 + x % 16 / 8)] &
                              (0x80 >> (x % 8))) == 0;
            wrong += image.at(x, y) != (set ? RGB(255, 0, 0) : RGB(255, 255, 255)) ? 1 : 0;
        }
    EXPECT_EQ(wrong, 0);
}

// ---- Exported context calls --------------------------------------------------------

TEST(GdiContexts, ScreenWindowIsTheActiveOneElseTheDesktop) {
    Deadline deadline(60, "the screen window");
    TestWindow &window = TestWindow::shared(kWidth, kHeight);
    EXPECT_EQ(GetScreenHwnd(), window.handle());
    // A plot on no window takes the same one.
    GPlot *plot = gplot_open_screen(nullptr);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(static_cast<GXWINwin32 *>(plot->device)->hWnd, window.handle());
    EXPECT_EQ(plot->device->window, window.handle());
    EXPECT_EQ(gplot_close(plot), 1);
}

TEST(GdiContexts, WindowContextIsGivenBackAndAMissingWindowGetsAMemoryContext) {
    Deadline deadline(60, "screen contexts");
    TestWindow &window = TestWindow::shared(kWidth, kHeight);
    hDCstate state = HDC_NONE;
    void *dc = GetScreenDC(window.handle(), &state);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(state, HDC_WINDOW);
    EXPECT_EQ(WindowFromDC(static_cast<HDC>(dc)), window.handle());
    FreeDC(window.handle(), dc, state);

    // A handle that names no window has no context of its own.
    HWND gone = nullptr;
    {
        TestWindow vanished(10, 10);
        gone = vanished.handle();
    }
    dc = GetScreenDC(gone, &state);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(state, HDC_MEMORY);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    FreeDC(gone, dc, state);
    EXPECT_EQ(GetObjectType(dc), 0u) << "a memory context is deleted";
}

TEST(GdiContexts, PaletteBasedDeviceReadsTheRasterCapabilitiesAndTracesThem) {
    HDC screen = GetDC(nullptr);
    const bool expected = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    EXPECT_EQ(paletteBasedDevice(screen), expected ? 1 : 0);
    {
        vexl::test::ScopedEnv trace("MOLVERN_DEBUG_MODE", "kdhcopy");
        testing::internal::CaptureStderr();
        paletteBasedDevice(screen);
        const std::string text = testing::internal::GetCapturedStderr();
        const int caps = GetDeviceCaps(screen, RASTERCAPS);
        char lines[128];
        std::snprintf(lines, sizeof lines, "rasterCapabilities = %d : %x\npaletteBased = 0x%x\n",
                      caps, static_cast<unsigned>(caps), static_cast<unsigned>(caps & RC_PALETTE));
        EXPECT_EQ(text, lines);
    }
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(paletteBasedDevice(nullptr), 0);
}

// ---- No GDI object left behind ------------------------------------------------------

// Opens, draws with every kind of fill and closes a window plot.
void draw_one_plot(HWND window) {
    GPlot *plot = gplot_open_screen(window);
    ASSERT_NE(plot, nullptr);
    GXWINbase *device = plot->device;
    const int32_t rect[4] = {10, 50, 60, 10};
    const int32_t clip[4] = {5, 60, 100, 5};
    const DevicePointS triangle[3] = {{20, 20}, {80, 20}, {50, 70}};
    const DevicePointS segments[4] = {{0, 0}, {10, 10}, {20, 0}, {30, 10}};
    device->set_foreground_color(1, 255);
    device->set_line_type(3);
    device->set_clip_device(clip, true);
    device->draw_segments_device(segments, 2);
    for (int32_t fill : {-1, -2, 0}) {
        device->set_fill_pattern(fill);
        device->draw_rectangle_device(rect);
        device->draw_polygon_device(triangle, 3);
        device->draw_arc_device({70, 40, 50, 40, 270000});
    }
    device->set_xor_drawing_mode(true, 2);
    device->draw_line_device({0, 0}, {100, 80});
    device->set_background_color(3);
    gplot_clear(plot);
    EXPECT_EQ(gplot_close(plot), 1);
}

TEST(GdiResources, ThousandWindowPlotsLeaveNoGdiObjectBehind) {
    Deadline deadline(600, "a thousand window plots");
    TestWindow &window = TestWindow::shared(kWidth, kHeight);
    draw_one_plot(window.handle()); // GDI makes its own cached objects once
    const long objects = vexl::test::gdi_object_count();
    const unsigned high_water = vexl::test::gdi_handle_high_water();
    for (int i = 0; i < 1000 && !HasFatalFailure(); ++i)
        draw_one_plot(window.handle());
    EXPECT_EQ(vexl::test::gdi_object_count(), objects);
    EXPECT_EQ(vexl::test::gdi_handle_high_water(), high_water);
}

TEST(GdiResources, FailedOpensLeaveNoGdiObjectBehind) {
    Deadline deadline(120, "failing opens");
    TestWindow::shared(kWidth, kHeight);
    gplot_open_file(nullptr, 0, 0, nullptr);
    const long objects = vexl::test::gdi_object_count();
    const unsigned high_water = vexl::test::gdi_handle_high_water();
    // A file plot without a file name fails after it has its context, size
    // and defaults.
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(gplot_open_file(nullptr, 0, 0, nullptr), nullptr);
        EXPECT_EQ(GplotErrno, 35);
    }
    EXPECT_EQ(vexl::test::gdi_object_count(), objects);
    EXPECT_EQ(vexl::test::gdi_handle_high_water(), high_water);
}

// The leak count itself sees a leak: objects made and not deleted raise it.
TEST(GdiResources, HighWaterMarkSeesObjectsLeftBehind) {
    vexl::test::gdi_handle_high_water();
    const unsigned before = vexl::test::gdi_handle_high_water();
    HPEN kept[3];
    for (HPEN &pen : kept)
        pen = CreatePen(PS_SOLID, 1, 0);
    const unsigned after = vexl::test::gdi_handle_high_water();
    for (HPEN pen : kept)
        DeleteObject(pen);
    if (vexl::test::gdi_object_count() < 0) {
        EXPECT_EQ(after, before + 3);
    }
}

} // namespace
