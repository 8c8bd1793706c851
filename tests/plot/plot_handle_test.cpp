// Plot handles: opening through the guarded construction, the calls on a
// whole plot, and what every call does with a missing plot or device.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <string>

#include "devices/recording_device.h"
#include "hardcopy/print_options.h"
#include "plot/gplot.h"
#include "plot/plot_handle.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using vexl::ConstructionFailure;
using vexl::open_plot;
using vexl::test::RecordingDevice;
using vexl::test::ScopedEnv;

// A recording device that reports its destruction and its clipboard saves.
class WatchedDevice : public RecordingDevice {
  public:
    explicit WatchedDevice(GPlot *owner, bool *destroyed)
        : RecordingDevice(owner), destroyed_(destroyed) {}
    ~WatchedDevice() override { *destroyed_ = true; }
    bool save_clipboard_to_file(const char *file) override {
        saved_to = file;
        return true;
    }
    std::string saved_to;

  private:
    bool *destroyed_;
};

GPlot *open_recording(GPlotDevice kind = GPLOT_SCREEN) {
    return open_plot(
        kind, [](GPlot *plot) { return new RecordingDevice(plot) != nullptr; },
        ConstructionFailure::Gdi);
}

class PlotHandle : public ::testing::Test {
  protected:
    void TearDown() override { GplotErrno = 0; }
};

TEST_F(PlotHandle, OpenSetsTheRecordDefaults) {
    ScopedEnv clipping("MOLVERN_CLIPPING", "screen");
    ScopedEnv steps("MOLVERN_ARC_STEPVALUE", "48");
    const int32_t old_tabstop = gftable_get_global_font_tabstop();
    gftable_set_global_font_tabstop(5);
    GplotErrno = 9;
    GPlot *plot = open_recording(GPLOT_SCREEN);
    gftable_set_global_font_tabstop(old_tabstop);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(GplotErrno, 0); // cleared before the device was built
    EXPECT_EQ(plot->device_kind, GPLOT_SCREEN);
    EXPECT_EQ(plot->tab_stop, 5);
    EXPECT_EQ(plot->justification, 1);
    EXPECT_EQ(plot->clip_mode, 1);
    EXPECT_EQ(plot->arc_clipping, 1);
    EXPECT_EQ(plot->arc_step, 48);
    EXPECT_EQ(plot->keep_clipboard_file, 0);
    EXPECT_EQ(gplot_close(plot), 1);
}

TEST_F(PlotHandle, ClippingSettingsFollowTheRequestedKind) {
    ScopedEnv clipping("MOLVERN_CLIPPING", "hpgl2");
    GPlot *plot = open_recording(GPLOT_SCREEN);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->clip_mode, 0);
    EXPECT_EQ(plot->arc_clipping, 0);
    gplot_close(plot);
}

TEST_F(PlotHandle, CloseDestroysTheDevice) {
    bool destroyed = false;
    GPlot *plot = open_plot(
        GPLOT_SCREEN, [&](GPlot *p) { return new WatchedDevice(p, &destroyed) != nullptr; },
        ConstructionFailure::Gdi);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(gplot_close(plot), 1);
    EXPECT_TRUE(destroyed);
}

TEST_F(PlotHandle, FailedConstructionKeepsItsCodeAndLeavesNothing) {
    bool destroyed = false;
    // The device was made, then the builder reported a failure of its own.
    GPlot *plot = open_plot(
        GPLOT_HPGL2,
        [&](GPlot *p) {
            new WatchedDevice(p, &destroyed);
            GplotErrno = 23;
            return false;
        },
        ConstructionFailure::Hpgl2);
    EXPECT_EQ(plot, nullptr);
    EXPECT_EQ(GplotErrno, 23);
    EXPECT_TRUE(destroyed);
}

TEST_F(PlotHandle, ExceptionInAnHpglConstructorIsCode22WithAMallocLine) {
    testing::internal::CaptureStderr();
    GPlot *plot = open_plot(
        GPLOT_HPGL2, [](GPlot *) -> bool { throw std::bad_alloc(); }, ConstructionFailure::Hpgl2);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(plot, nullptr);
    EXPECT_EQ(GplotErrno, 22);
    EXPECT_EQ(err.rfind("malloc: ", 0), 0u) << err;
}

TEST_F(PlotHandle, ExceptionInAGdiConstructorIsCode35WithAMessage) {
    testing::internal::CaptureStderr();
    GPlot *plot = open_plot(
        GPLOT_SCREEN, [](GPlot *) -> bool { throw 42; }, ConstructionFailure::Gdi);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Memory allocation error.\n");
    EXPECT_EQ(plot, nullptr);
    EXPECT_EQ(GplotErrno, 35);
}

TEST_F(PlotHandle, ExceptionAfterACodeWasSetKeepsThatCode) {
    testing::internal::CaptureStderr();
    GPlot *plot = open_plot(
        GPLOT_HPGL2,
        [](GPlot *) -> bool {
            GplotErrno = 23;
            throw std::bad_alloc();
        },
        ConstructionFailure::Hpgl2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(plot, nullptr);
    EXPECT_EQ(GplotErrno, 23);
}

TEST_F(PlotHandle, OpenRejectsUnknownKinds) {
    for (int kind : {5, -1, 1000}) {
        GplotErrno = 0;
        EXPECT_EQ(gplot_open(static_cast<GPlotDevice>(kind), nullptr, nullptr, nullptr, nullptr),
                  nullptr);
        EXPECT_EQ(GplotErrno, 4) << kind;
    }
}

TEST_F(PlotHandle, ClearFillsTheWholeWorldAndKeepsTheClipRectangle) {
    GPlot *plot = open_recording();
    ASSERT_NE(plot, nullptr);
    auto *device = static_cast<RecordingDevice *>(plot->device);
    const int32_t world[4] = {0, 0, 1000, 500};
    const int32_t clip[4] = {100, 100, 200, 200};
    device->set_world(world);
    device->set_clip_world(clip, true);
    device->forget_calls();

    EXPECT_EQ(gplot_clear(plot), 1);
    ASSERT_EQ(device->calls.size(), 1u);
    EXPECT_EQ(device->calls[0].op, "clear_world_rect");
    EXPECT_EQ(device->calls[0].coords, (std::vector<int32_t>{0, 0, 1000, 500}));
    EXPECT_TRUE(device->clip_on);
    EXPECT_EQ(std::vector<int32_t>(plot->clip_world, plot->clip_world + 4),
              (std::vector<int32_t>{100, 100, 200, 200}));

    device->fail_operation("clear_world_rect");
    EXPECT_EQ(gplot_clear(plot), 0);
    gplot_close(plot);
}

TEST_F(PlotHandle, BufferModeNeedsBuffers) {
    GPlot *plot = open_recording();
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(gplot_set_buffer_mode(plot, 1), 1);
    EXPECT_EQ(gplot_get_buffer_mode(plot), 0);
    plot->device->set_buffer_capacity(2);
    EXPECT_EQ(gplot_set_buffer_mode(plot, 7), 1);
    EXPECT_EQ(gplot_get_buffer_mode(plot), 1);
    EXPECT_EQ(gplot_set_buffer_mode(plot, 0), 1);
    EXPECT_EQ(gplot_get_buffer_mode(plot), 0);
    gplot_close(plot);
}

TEST_F(PlotHandle, SaveClipboardSkipsEmptyNames) {
    bool destroyed = false;
    GPlot *plot = open_plot(
        GPLOT_CLIPBOARD, [&](GPlot *p) { return new WatchedDevice(p, &destroyed) != nullptr; },
        ConstructionFailure::Gdi);
    ASSERT_NE(plot, nullptr);
    auto *device = static_cast<WatchedDevice *>(plot->device);
    EXPECT_EQ(gplot_save_clipboard_to_file(plot, ""), 1);
    EXPECT_EQ(gplot_save_clipboard_to_file(plot, nullptr), 1);
    EXPECT_EQ(device->saved_to, "");
    EXPECT_EQ(gplot_save_clipboard_to_file(plot, "copy.emf"), 1);
    EXPECT_EQ(device->saved_to, "copy.emf");
    EXPECT_EQ(gplot_flush(plot), 1);
    EXPECT_EQ(gplot_resize_plot(plot), 1);
    EXPECT_EQ(gplot_force_display_repaint(plot), 1);
    gplot_close(plot);
}

// Every call that takes a plot refuses a null plot and a plot whose device
// is gone, with code 1 and result 0.
TEST_F(PlotHandle, EveryCallRefusesAMissingPlotOrDevice) {
    const std::pair<const char *, std::function<int(GPlot *)>> calls[] = {
        {"gplot_close", [](GPlot *p) { return gplot_close(p); }},
        {"gplot_clear", [](GPlot *p) { return gplot_clear(p); }},
        {"gplot_flush", [](GPlot *p) { return gplot_flush(p); }},
        {"gplot_set_buffer_mode", [](GPlot *p) { return gplot_set_buffer_mode(p, 1); }},
        {"gplot_get_buffer_mode", [](GPlot *p) { return gplot_get_buffer_mode(p); }},
        {"gplot_resize_plot", [](GPlot *p) { return gplot_resize_plot(p); }},
        {"gplot_force_display_repaint", [](GPlot *p) { return gplot_force_display_repaint(p); }},
        {"gplot_save_clipboard_to_file",
         [](GPlot *p) { return gplot_save_clipboard_to_file(p, "x.emf"); }},
    };
    GPlot deviceless{};
    for (const auto &[name, call] : calls) {
        for (GPlot *plot : {static_cast<GPlot *>(nullptr), &deviceless}) {
            GplotErrno = 0;
            EXPECT_EQ(call(plot), 0) << name;
            EXPECT_EQ(GplotErrno, 1) << name;
        }
    }
}

// Print-to-file in HP-GL/2 form turns file and printer plots into plot-file
// plots on every build; the clipping settings still follow the kind asked for.
TEST_F(PlotHandle, HardCopyInHpglFormIsAPlotFile) {
    vexl::PrintOptions &options = vexl::print_options();
    const vexl::PrintOptions saved = options;
    options.printToFile = 1;
    options.fileType = vexl::PrintFileType::Hpgl2;
    ScopedEnv clipping("MOLVERN_CLIPPING", "file");
    vexl::test::TempDir dir;
    const std::string path = dir.file("hard.hgl");
    for (GPlot *(*open)(const char *, int, int, void *) : {gplot_open_file, gplot_open_print}) {
        testing::internal::CaptureStderr(); // the fill-file notice
        GPlot *plot = open(path.c_str(), DB_UNIT_MIL, 5, nullptr);
        testing::internal::GetCapturedStderr();
        ASSERT_NE(plot, nullptr) << GplotErrno;
        EXPECT_EQ(plot->device_kind, GPLOT_HPGL2);
        EXPECT_EQ(plot->clip_mode, open == gplot_open_file ? 1 : 0);
        EXPECT_EQ(gplot_close(plot), 1);
        // The prologue carries the open call's units and value.
        EXPECT_NE(vexl::test::TempDir::read(path).find("PU1,5;"), std::string::npos);
    }
    options = saved;
}

// Until this build has the Windows graphics device, a window plot says so and
// leaves no plot.
TEST_F(PlotHandle, WindowPlotsWithoutTheGraphicsDeviceAreNotImplemented) {
    EXPECT_EQ(gplot_open(GPLOT_SCREEN, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GplotErrno, 14);
}

TEST_F(PlotHandle, FailedClipboardOpenRemovesItsTemporaryFile) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "vexl33-clipboard-open-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    {
        ScopedEnv tmpdir("TMPDIR", dir.string().c_str());
        ScopedEnv tmp("TMP", dir.string().c_str());
        ScopedEnv temp("TEMP", dir.string().c_str());
        EXPECT_EQ(gplot_open_clipboard(nullptr), nullptr);
    }
    EXPECT_TRUE(fs::is_empty(dir));
    fs::remove_all(dir);
}

} // namespace
