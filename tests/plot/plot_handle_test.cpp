// Plot handles: opening through the guarded construction, the calls
// on a whole plot, and what every call does with a missing plot or device.
// This build has no window device yet, so most tests open through open_plot
// with a recording device that reports its destruction and clipboard saves.
#include <gtest/gtest.h>

#include <gmock/gmock.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "core/errors.h"
#include "devices/recording_device.h"
#include "hardcopy/print_options.h"
#include "plot/gplot.h"
#include "plot/plot_handle.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using vexl::ConstructionFailure;
using vexl::test::ScopedEnv;

class WatchedDevice : public vexl::test::RecordingDevice {
  public:
    WatchedDevice(GPlot *owner, bool *destroyed) : RecordingDevice(owner), destroyed_(destroyed) {}
    ~WatchedDevice() override { *destroyed_ = true; }
    bool save_clipboard_to_file(const char *file) override {
        saved_to = file;
        return true;
    }
    std::string saved_to = "<never>";

  private:
    bool *destroyed_;
};

class PlotHandle : public ::testing::Test {
  protected:
    void TearDown() override { GplotErrno = 0; }

    // Opens a plot of this kind; after_the_device runs once the device exists.
    GPlot *open(
        GPlotDevice kind, ConstructionFailure on_throw = ConstructionFailure::Gdi,
        std::function<bool()> after_the_device = [] { return true; }) {
        destroyed_ = false;
        return vexl::open_plot(
            kind, [&](GPlot *p) { return new WatchedDevice(p, &destroyed_) && after_the_device(); },
            on_throw);
    }
    WatchedDevice &device_of(GPlot *plot) { return *static_cast<WatchedDevice *>(plot->device); }

    bool destroyed_ = false;
};

TEST_F(PlotHandle, OpenSetsTheRecordDefaultsAndCloseDestroysTheDevice) {
    ScopedEnv clipping("MOLVERN_CLIPPING", "screen");
    ScopedEnv steps("MOLVERN_ARC_STEPVALUE", "48");
    const int32_t old_tabstop = gftable_get_global_font_tabstop();
    gftable_set_global_font_tabstop(5);
    GPlot *plot = open(GPLOT_SCREEN);
    gftable_set_global_font_tabstop(old_tabstop);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->device_kind, GPLOT_SCREEN);
    EXPECT_EQ((std::vector<int32_t>{plot->tab_stop, plot->justification, plot->clip_mode,
                                    plot->arc_clipping, plot->arc_step}),
              (std::vector<int32_t>{5, 1, 1, 1, 48}));
    EXPECT_EQ(gplot_close(plot), 1);
    EXPECT_TRUE(destroyed_);
}

// Every failed construction leaves no plot and no device. Anything thrown
// becomes code 22 or 35 with its report, unless the constructor set a code
// first; the code left from before the open (9) is cleared first.
TEST_F(PlotHandle, FailedConstructionKeepsOrSetsItsCode) {
    const struct {
        ConstructionFailure on_throw;
        bool code_set_first, throws;
        int code;
        testing::Matcher<std::string> report;
    } cases[] = {
        {ConstructionFailure::Hpgl2, false, true, 22, testing::StartsWith("malloc: ")},
        {ConstructionFailure::Gdi, false, true, 35, "Memory allocation error.\n"},
        {ConstructionFailure::Hpgl2, true, true, 23, ""},
        {ConstructionFailure::Gdi, true, false, 23, ""},
    };
    for (const auto &c : cases) {
        const auto fail_after_the_device = [&c]() -> bool {
            if (c.code_set_first)
                vexl::fail(vexl::Error::FileOpenFailed);
            if (c.throws)
                throw 42; // not even a std::exception
            return false;
        };
        GplotErrno = 9;
        testing::internal::CaptureStderr();
        EXPECT_EQ(open(GPLOT_HPGL2, c.on_throw, fail_after_the_device), nullptr);
        EXPECT_THAT(testing::internal::GetCapturedStderr(), c.report) << c.code;
        EXPECT_EQ(GplotErrno, c.code);
        EXPECT_TRUE(destroyed_) << c.code;
    }
}

TEST_F(PlotHandle, ClearBufferModeAndClipboardSave) {
    GPlot *plot = open(GPLOT_CLIPBOARD);
    ASSERT_NE(plot, nullptr);
    WatchedDevice &device = device_of(plot);
    // Clearing fills the whole world and puts the clip rectangle back.
    const int32_t world[4] = {0, 0, 1000, 500}, clip[4] = {100, 100, 200, 200};
    device.set_world(world);
    device.set_clip_world(clip, true);
    device.forget_calls();
    EXPECT_EQ(gplot_clear(plot), 1);
    EXPECT_EQ(device.calls,
              (std::vector<vexl::test::DeviceCall>{{"clear_world_rect", 1, {0, 0, 1000, 500}}}));
    EXPECT_TRUE(device.clip_on);
    EXPECT_EQ(std::vector<int32_t>(plot->clip_world, plot->clip_world + 4),
              (std::vector<int32_t>(clip, clip + 4)));
    device.fail_operation("clear_world_rect");
    EXPECT_EQ(gplot_clear(plot), 0);
    // Buffering needs buffers.
    EXPECT_EQ(gplot_set_buffer_mode(plot, 1), 1);
    EXPECT_EQ(gplot_get_buffer_mode(plot), 0);
    device.set_buffer_capacity(2);
    EXPECT_EQ(gplot_set_buffer_mode(plot, 7), 1);
    EXPECT_EQ(gplot_get_buffer_mode(plot), 1);
    // A null or empty clipboard file name does nothing.
    EXPECT_EQ(gplot_save_clipboard_to_file(plot, ""), 1);
    EXPECT_EQ(gplot_save_clipboard_to_file(plot, nullptr), 1);
    EXPECT_EQ(device.saved_to, "<never>");
    EXPECT_EQ(gplot_save_clipboard_to_file(plot, "copy.emf"), 1);
    EXPECT_EQ(device.saved_to, "copy.emf");
    gplot_close(plot);
}

// gplot_open hands its untyped arguments to the open call of the kind: the
// file name, then the units and value as integers (negative ones too). Only
// plot-file kinds exist on every build: file and printer plots become plot
// files when print-to-file in HP-GL/2 form is selected, with the clipping
// setting of the kind asked for.
TEST_F(PlotHandle, OpenByKindMapsItsArguments) {
    vexl::PrintOptions &options = vexl::print_options();
    const vexl::PrintOptions saved = options;
    options.printToFile = 1;
    options.fileType = vexl::PrintFileType::Hpgl2;
    ScopedEnv clipping("MOLVERN_CLIPPING", "file");
    vexl::test::TempDir dir;
    const std::string path = dir.file("by_kind.hgl");
    const auto as_pointer = [](std::intptr_t v) { return reinterpret_cast<void *>(v); };
    const struct {
        GPlotDevice kind;
        std::intptr_t units, value;
        const char *prologue;
        int clip_mode; // -1: not checked
    } kinds[] = {{GPLOT_HPGL2, DB_UNIT_MIL, 7, "PU1,7;", -1},
                 {GPLOT_HPGL2, DB_UNIT_MILLIMETRE, -3, "PU4,-3;", -1},
                 {GPLOT_FILE, DB_UNIT_INCH, 9, "PU2,9;", 1},
                 {GPLOT_PRINT, DB_UNIT_CENTIMETRE, 11, "PU5,11;", 0}};
    for (const auto &k : kinds) {
        testing::internal::CaptureStderr(); // the fill-file notice
        GPlot *plot = gplot_open(k.kind, const_cast<char *>(path.c_str()), as_pointer(k.units),
                                 as_pointer(k.value), nullptr);
        testing::internal::GetCapturedStderr();
        ASSERT_NE(plot, nullptr) << k.kind << ": code " << GplotErrno;
        EXPECT_EQ(plot->device_kind, GPLOT_HPGL2);
        if (k.clip_mode >= 0) {
            EXPECT_EQ(plot->clip_mode, k.clip_mode) << k.kind;
        }
        EXPECT_EQ(gplot_close(plot), 1);
        EXPECT_NE(vexl::test::TempDir::read(path).find(k.prologue), std::string::npos)
            << k.kind << " " << k.prologue;
    }
    options = saved;
    for (int bad : {-1, 5, 1000}) {
        GplotErrno = 0;
        EXPECT_EQ(gplot_open(static_cast<GPlotDevice>(bad), nullptr, nullptr, nullptr, nullptr),
                  nullptr);
        EXPECT_EQ(GplotErrno, 4);
    }
}

// A clipboard open takes a temporary name. Where there is no window device
// the open then fails, and where there is one the plot closes without
// output; either way the file behind the name must not be left behind.
TEST_F(PlotHandle, ClipboardOpenLeavesNoTemporaryFileBehind) {
    vexl::test::TempDir dir;
    ScopedEnv tmpdir("TMPDIR", dir.path().c_str()), tmp("TMP", dir.path().c_str());
    ScopedEnv temp("TEMP", dir.path().c_str());
    if (GPlot *plot = gplot_open_clipboard(nullptr)) {
        EXPECT_EQ(plot->device_kind, GPLOT_CLIPBOARD);
        EXPECT_EQ(gplot_close(plot), 1);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
