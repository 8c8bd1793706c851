// Tests of the HP-GL/2 plot-file device.
//
// Whole plot files are compared byte for byte with the golden files under
// tests/golden/hpgl2, written by hand from the instruction rules; each golden
// scenario below lists the calls that make it. On Windows the file is written
// in text mode, so its CR LF line ends are checked and turned back into LF
// before the comparison.
//
// The colour map is process-wide and loaded once per key, from the settings
// in force when the key is first used. Tests that need a particular map use a
// device with a colour-map key of their own and set MOLVERN_COLOR and
// MOLVERN_COLOR_MODE before its first colour change, so they do not depend on
// which test of the program loaded the shared map first.
#include "devices/ghpgl2.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "colour/color_map.h"
#include "devices/ghpgl2_fill_types.h"
#include "devices/recording_device.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using vexl::test::ScopedEnv;
using vexl::test::TempDir;

std::string source_file(const std::string &relative) {
    return std::string(VEXL_SOURCE_DIR) + "/tests/" + relative;
}

const std::string kFills = source_file("data/hpgl2/fills.kdfill");
const std::string kNoEntries = source_file("data/hpgl2/no_entries.kdfill");
const std::string kMissing = source_file("data/hpgl2/missing.kdfill");
const char kNoFillFileMessage[] = "kdfill: cannot locate \"molvfill.cfg\" file.\n";

std::string golden(const std::string &name) {
    return TempDir::read(source_file("golden/hpgl2/" + name));
}

// The plot file's text with LF line ends.
std::string plot_text(const std::string &path) {
    std::string bytes = TempDir::read(path);
#ifdef _WIN32
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        EXPECT_FALSE(bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) << "bare LF at " << i;
        text.push_back(bytes[i]);
    }
    return text;
#else
    return bytes;
#endif
}

// A plot-file device reading its own colour map.
class KeyedHpgl2 : public GHPGL2 {
  public:
    KeyedHpgl2(GPlot *owner, const char *name, int32_t key)
        : GHPGL2(owner, name, 2, 0), key_(key) {}
    int32_t get_colormap_key() override { return key_; }

  private:
    int32_t key_;
};

class Hpgl2Device : public ::testing::Test {
  protected:
    // Every device creation loads the shared map; loading it here keeps its
    // messages out of the error output the tests compare.
    static void SetUpTestSuite() {
        testing::internal::CaptureStderr();
        vexl::find_color_map(0);
        testing::internal::GetCapturedStderr();
    }
    void SetUp() override { GplotErrno = 0; }
    void TearDown() override {
        delete plot.device;
        GplotErrno = 0;
    }

    GHPGL2 &create(const std::string &fill_file, DBUnitCode units, int value) {
        ScopedEnv fill("MOLVERN_FILL", fill_file.c_str());
        EXPECT_EQ(ghpgl2_create(&plot, path.c_str(), units, value), 1);
        if (plot.device == nullptr)
            throw std::runtime_error("no device was created");
        return dynamic_cast<GHPGL2 &>(*plot.device);
    }
    std::string close_and_read() {
        delete plot.device;
        return plot_text(path);
    }

    TempDir dir;
    std::string path = dir.file("plot.hgl");
    GPlot plot{};
};

// ---- Output formatting and rounding -------------------------------------------

TEST(Hpgl2Format, DirectivesAndDecimals) {
    std::string out;
    vexl::append_plot_text(out, "PA%d,%d;AA%lf;%%x%q", {-2147483647 - 1, 7, 90.0});
    EXPECT_EQ(out, "PA-2147483648,7;AA90.000000;%x%q");
    out.clear();
    vexl::append_plot_text(out, "%lf %lf %lf %lf %d|%d", {3 * 0.35, -45.5, 2.5e-7, -1e-9, 2.9});
    EXPECT_EQ(out, "1.050000 -45.500000 0.000000 -0.000000 2|"); // no value left: nothing
    char expected[64];
    for (double v : {0.1234565, 2147483647.0, 1e15 / 3, -0.0000005, 123.4567895}) {
        out.clear();
        vexl::append_plot_text(out, "%lf", {v});
        std::snprintf(expected, sizeof expected, "%f", v);
        EXPECT_EQ(out, expected) << v;
    }
}

TEST(Hpgl2Format, DecimalPointIgnoresTheLocale) {
    const char *comma_locale = nullptr;
    for (const char *name : {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8", "German_Germany.1252"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr &&
            std::localeconv()->decimal_point[0] == ',') {
            comma_locale = name;
            break;
        }
    }
    std::string out;
    vexl::append_plot_text(out, "%lf", {90.0});
    std::setlocale(LC_NUMERIC, "C");
    if (comma_locale == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_EQ(out, "90.000000") << comma_locale;
}

TEST_F(Hpgl2Device, RoundsDeviceHalvesAwayFromZeroAndWorldTowardZero) {
    GHPGL2 &device = create(kFills, DB_UNIT_INCH, 0);
    const double nan = std::nan("");
    const int32_t max = std::numeric_limits<int32_t>::max();
    const int32_t min = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(device.round_device_coord(0.5), 1);
    EXPECT_EQ(device.round_device_coord(-0.5), -1);
    EXPECT_EQ(device.round_device_coord(-2.5), -3);
    EXPECT_EQ(device.round_device_coord(0.49999999999999994), 0);
    EXPECT_EQ(device.round_device_coord(2147483647.2), max);
    EXPECT_EQ(device.round_device_coord(-2147483648.7), min);
    EXPECT_EQ(device.round_device_coord(1e300), max);
    EXPECT_EQ(device.round_device_coord(nan), 0);
    EXPECT_EQ(device.round_world_coord(2.9), 2);
    EXPECT_EQ(device.round_world_coord(-2.9), -2);
    EXPECT_EQ(device.round_world_coord(-1e300), min);
    EXPECT_EQ(device.round_world_coord(nan), 0);
}

// ---- Golden plot files ----------------------------------------------------------

TEST_F(Hpgl2Device, PenStateOfLinesAndPoints) {
    GHPGL2 &d = create(kFills, DB_UNIT_INCH, 1000);
    const float viewport[4] = {0, 0, 1, 1};
    const int32_t world[4] = {0, 0, 1000, 800};
    d.set_viewport(viewport);
    d.set_world(world);
    d.draw_to_world({1, 1});
    d.draw_to_world({2, 2}); // the pen is already down
    d.move_to_world({10, 10});
    d.move_to_world({20, 20}); // and already up
    d.draw_line_world({100, 100}, {200, 150});
    const WorldPointS line[] = {{300, 300}, {400, 300}, {400, 400}};
    d.draw_lines_world(line, 3);
    const WorldPointS points[] = {{500, 500}, {600, 600}};
    d.draw_points_world(points, 2);
    d.draw_point_world({700, 700});
    EXPECT_EQ(d.pen_down, 0);
    d.draw_to_world({710, 710});
    EXPECT_EQ(plot.current_point[0], 710);
    EXPECT_EQ(close_and_read(), golden("lines.hgl"));
}

TEST_F(Hpgl2Device, AttributesAreWrittenOnlyWhenTheyChange) {
    GHPGL2 &d = create(kFills, DB_UNIT_MILLIMETRE, 3);
    const float viewport[4] = {0.1f, 0.2f, 0.9f, 0.8f};
    const int32_t world[4] = {-500, -400, 500, 400};
    d.set_viewport(viewport);
    d.set_world(world);
    for (int32_t type : {0, 1, 1, 2, 3, 4, 5, 6, 7, 7, 0})
        EXPECT_TRUE(d.set_line_type(type));
    d.draw_line_world({0, 0}, {10, 10});
    for (int32_t width : {3, 0, -1, 10})
        EXPECT_EQ(d.set_line_width_world(width), width >= 0);
    EXPECT_EQ(GplotErrno, 7);
    EXPECT_EQ(plot.line_width, 10);
    for (int32_t pattern : {-1, -2, -2, 1, 3, -1, 0})
        EXPECT_TRUE(d.set_fill_pattern(pattern));
    const int32_t clip[4] = {-100, -50, 100, 50};
    d.set_clip_world(clip, true);
    EXPECT_TRUE(d.clip_on);
    d.set_clip_world(clip, false);
    EXPECT_TRUE(d.clear_world_rect(world));
    EXPECT_EQ(close_and_read(), golden("attributes.hgl"));
}

TEST_F(Hpgl2Device, PolygonsArcsAndSegments) {
    testing::internal::CaptureStderr();
    GHPGL2 &d = create(kMissing, DB_UNIT_INCH, 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), kNoFillFileMessage);
    EXPECT_TRUE(vexl::hpgl2_fill_types().entries().empty());
    const float viewport[4] = {0, 0, 1, 1};
    const int32_t world[4] = {0, 0, 1000, 1000};
    d.set_viewport(viewport);
    d.set_world(world);
    const WorldPointS triangle[] = {{100, 100}, {200, 100}, {150, 200}};
    d.draw_polygon_world(triangle, 3);
    d.set_fill_pattern(-2);
    const int32_t rect[4] = {300, 300, 400, 350};
    d.draw_rectangle_world(rect);
    d.draw_arc_world({500, 500, 550, 500, 90000});
    d.set_fill_pattern(-1);
    d.draw_arc_world({600, 600, 600, 650, -45500});
    EXPECT_EQ(d.pen_down, 1); // an unfilled arc leaves the pen down
    const WorldPointS a = {700, 700};
    const WorldPointS b = {800, 750};
    EXPECT_EQ(ghpgl2_draw_rectangle2_world(&plot, &a, &b), 1);
    const WorldPointS segments[] = {{0, 0},   {10, 10}, {10, 10}, {20, 0},  {50, 50},
                                    {60, 60}, {70, 70}, {80, 80}, {80, 80}, {90, 70}};
    d.draw_segments_world(segments, 5);
    // Empty lists and the slots this device leaves to the pixel layer
    // write nothing.
    EXPECT_TRUE(d.draw_polygon_world(triangle, 0));
    EXPECT_TRUE(d.draw_lines_world(triangle, 0));
    EXPECT_TRUE(d.draw_segments_world(segments, 0));
    EXPECT_TRUE(d.draw_points_world(triangle, -1));
    EXPECT_FALSE(d.draw_rectangles_world(rect, 1));
    EXPECT_EQ(close_and_read(), golden("shapes.hgl"));
}

TEST_F(Hpgl2Device, PensComeFromTheColourMap) {
    ScopedEnv fill("MOLVERN_FILL", kMissing.c_str());
    ScopedEnv mode("MOLVERN_COLOR_MODE", "color");
    ScopedEnv colours("MOLVERN_COLOR", source_file("data/hpgl2/pens.kdcolor").c_str());
    testing::internal::CaptureStderr();
    KeyedHpgl2 &d = *new KeyedHpgl2(&plot, path.c_str(), 0x48500001);
    testing::internal::GetCapturedStderr();
    const float viewport[4] = {0, 0, 1, 1};
    const int32_t world[4] = {0, 0, 100, 100};
    d.set_viewport(viewport);
    d.set_world(world);
    EXPECT_TRUE(d.set_foreground_color(-1, 255)); // as created: nothing to send
    EXPECT_TRUE(d.set_foreground_color(1, 255));
    EXPECT_TRUE(d.set_foreground_color(1, 255));
    d.draw_line_world({0, 0}, {10, 0});
    EXPECT_TRUE(d.set_foreground_color(3, 255));
    EXPECT_TRUE(d.set_foreground_color(3, 128)); // same pen, new transparency
    EXPECT_FALSE(d.set_foreground_color(4, 255));
    EXPECT_EQ(plot.foreground_color, 4);
    // Asked again, a colour that never reached the file still fails.
    EXPECT_FALSE(d.set_foreground_color(4, 255));
    EXPECT_FALSE(d.set_foreground_color(-1, 255));
    EXPECT_TRUE(d.set_foreground_color(0, 255));
    EXPECT_EQ(close_and_read(), golden("pens.hgl"));
}

// Fewer than three colours (two in the file, the mono palette, or none at
// all) select pen 1 for every index, valid or not.
TEST_F(Hpgl2Device, MonochromeMapsSelectPenOne) {
    const std::string two = source_file("data/hpgl2/two_colours.kdcolor");
    const std::string nowhere = source_file("data/hpgl2/missing.kdcolor");
    const struct {
        const char *mode;
        const std::string *file;
    } setups[] = {{"color", &two}, {"mono", &two}, {"color", &nowhere}};
    ScopedEnv fill("MOLVERN_FILL", kMissing.c_str());
    int32_t key = 0x48500010;
    for (const auto &setup : setups) {
        ScopedEnv mode("MOLVERN_COLOR_MODE", setup.mode);
        ScopedEnv colours("MOLVERN_COLOR", setup.file->c_str());
        testing::internal::CaptureStderr();
        KeyedHpgl2 &d = *new KeyedHpgl2(&plot, path.c_str(), ++key);
        EXPECT_TRUE(d.set_foreground_color(0, 255));
        testing::internal::GetCapturedStderr();
        EXPECT_TRUE(d.set_foreground_color(1, 255));
        d.draw_line_world({0, 0}, {5, 5});
        EXPECT_TRUE(d.set_foreground_color(5, 255));
        EXPECT_TRUE(d.set_foreground_color(-3, 255));
        EXPECT_EQ(close_and_read(), golden("monochrome.hgl")) << setup.mode << *setup.file;
    }
}

TEST_F(Hpgl2Device, OpenThroughThePlotInterfaceAndClose) {
    ScopedEnv fill("MOLVERN_FILL", kFills.c_str());
    GPlot *opened = gplot_open_hpgl2(path.c_str(), DB_UNIT_MILLIMETRE, 100);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(GplotErrno, 0);
    EXPECT_EQ(opened->device_kind, GPLOT_HPGL2);
    EXPECT_EQ(opened->foreground_color, -1);
    EXPECT_EQ(opened->background_color, -1);
    EXPECT_EQ(opened->transparency, 255);
    EXPECT_EQ(opened->line_width, 1);
    EXPECT_EQ(opened->fill_pattern, -1);
    EXPECT_EQ(opened->line_clipping, 1);
    EXPECT_EQ(opened->device->open_units, DB_UNIT_MILLIMETRE);
    EXPECT_EQ(opened->device->open_value, 100);
    EXPECT_EQ(gplot_flush(opened), 1);
    const std::string prologue = golden("open_close.hgl");
    EXPECT_EQ(plot_text(path), prologue.substr(0, prologue.size() - 4)); // all but "PG;\n"
    EXPECT_EQ(gplot_close(opened), 1);
    EXPECT_EQ(plot_text(path), prologue);
}

// ---- Page size --------------------------------------------------------------------

TEST_F(Hpgl2Device, PageSizeIsReadOnEveryCall) {
    GHPGL2 &d = create(kFills, DB_UNIT_INCH, 0);
    const char *names[] = {"HPGL2_PAPER_WIDTH", "HPGL2_PAPER_HEIGHT", "HPGL2_DPI_WIDTH",
                           "HPGL2_DPI_HEIGHT"};
    const auto size_with = [&](const char *w, const char *h, const char *dw, const char *dh) {
        ScopedEnv e0(names[0], w), e1(names[1], h), e2(names[2], dw), e3(names[3], dh);
        int32_t width = -1, height = -1;
        double x = -1, y = -1;
        EXPECT_TRUE(d.get_width_n_height(&width, &height));
        EXPECT_TRUE(d.get_pixels_perinch(&x, &y));
        return std::to_string(width) + "x" + std::to_string(height) + "@" +
               std::to_string(static_cast<int>(x)) + "x" + std::to_string(static_cast<int>(y));
    };
    EXPECT_EQ(size_with(nullptr, nullptr, nullptr, nullptr), "792x612@72x72");
    EXPECT_EQ(size_with("17", "11", "300", "200"), "5100x2200@300x200");
    EXPECT_EQ(size_with(nullptr, "8", nullptr, "100"), "792x800@72x100");  // whole inches
    EXPECT_EQ(size_with(" 12in", "abc", nullptr, nullptr), "864x0@72x72"); // as atoi reads them
    EXPECT_EQ(size_with("99999999999", "-3", "2", nullptr), "2147483647x-216@2x72");
    EXPECT_EQ(size_with(nullptr, nullptr, nullptr, nullptr), "792x612@72x72");
}

// ---- Creation failures and the exported helpers -------------------------------------

TEST_F(Hpgl2Device, UnopenableFileIsCode23AndLeavesNoDevice) {
    ScopedEnv fill("MOLVERN_FILL", kFills.c_str());
    const std::string nowhere = dir.file("no/such/dir/plot.hgl");
    testing::internal::CaptureStderr();
    EXPECT_EQ(ghpgl2_create(&plot, nowhere.c_str(), DB_UNIT_INCH, 0), 0);
    EXPECT_EQ(GplotErrno, 23);
    EXPECT_EQ(plot.device, nullptr);
    EXPECT_EQ(ghpgl2_create(&plot, nullptr, DB_UNIT_INCH, 0), 0);
    EXPECT_EQ(GplotErrno, 23);
    EXPECT_EQ(gplot_open_hpgl2(nowhere.c_str(), DB_UNIT_INCH, 0), nullptr);
    EXPECT_EQ(GplotErrno, 23);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), ""); // no "malloc" line
    EXPECT_EQ(ghpgl2_create(nullptr, path.c_str(), DB_UNIT_INCH, 0), 0);
    EXPECT_EQ(GplotErrno, 1);
}

TEST_F(Hpgl2Device, ASecondDeviceOnAPlotIsRefused) {
    GHPGL2 &first = create(kFills, DB_UNIT_INCH, 0);
    const std::string other = dir.file("other.hgl");
    EXPECT_EQ(ghpgl2_create(&plot, other.c_str(), DB_UNIT_INCH, 0), 0);
    EXPECT_EQ(GplotErrno, 10);
    EXPECT_EQ(plot.device, &first);
    EXPECT_FALSE(std::filesystem::exists(other));
}

TEST_F(Hpgl2Device, EdgedRectangleNeedsAPlotFileDevice) {
    const WorldPointS a = {0, 0};
    EXPECT_EQ(ghpgl2_draw_rectangle2_world(nullptr, &a, &a), 0);
    EXPECT_EQ(GplotErrno, 1);
    {
        GPlot other{};
        vexl::test::RecordingDevice pixels(&other);
        GplotErrno = 0;
        EXPECT_EQ(ghpgl2_draw_rectangle2_world(&other, &a, &a), 0);
        EXPECT_EQ(GplotErrno, 1);
        EXPECT_TRUE(pixels.calls.empty());
    }
    create(kFills, DB_UNIT_INCH, 0);
    EXPECT_EQ(ghpgl2_draw_rectangle2_world(&plot, &a, nullptr), 0);
    EXPECT_EQ(GplotErrno, 10);
}

TEST(Hpgl2Exports, ColourModeAndMonochromeThreshold) {
    EXPECT_EQ(ghpgl2_color_mode(0), 0);
    EXPECT_EQ(ghpgl2_color_mode(5), 1);
    EXPECT_EQ(ghpgl2_force_monochrome(2), 1);
    EXPECT_EQ(ghpgl2_force_monochrome(-1), 1);
    EXPECT_EQ(ghpgl2_force_monochrome(3), 0);
}

// ---- The fill-type table ------------------------------------------------------------

TEST_F(Hpgl2Device, FillFileWithoutEntriesIsReportedOncePerTable) {
    vexl::PlotFile out(vexl::FilePtr(rtk_fopen(path.c_str(), "w")));
    vexl::FillTypeTable table;
    const auto rebuild_with = [&](const std::string &fill_file) {
        ScopedEnv fill("MOLVERN_FILL", fill_file.c_str());
        GplotErrno = 0;
        testing::internal::CaptureStderr();
        table.rebuild(out);
        return testing::internal::GetCapturedStderr();
    };
    EXPECT_EQ(rebuild_with(kFills), "");
    ASSERT_EQ(table.entries().size(), 3u);
    EXPECT_EQ(table.find(2)->fill_type, 10);
    EXPECT_EQ(table.find(3), nullptr);
    EXPECT_EQ(table.find(-1), nullptr);
    EXPECT_EQ(rebuild_with(kNoEntries), "kdfill: No patterns in .kdfill file\n");
    EXPECT_EQ(GplotErrno, 28);
    EXPECT_TRUE(table.entries().empty());
    EXPECT_EQ(rebuild_with(source_file("data/hpgl2/malformed.kdfill")), "");
    EXPECT_EQ(GplotErrno, 28);
    EXPECT_EQ(rebuild_with(kMissing), kNoFillFileMessage); // this one every time
    EXPECT_EQ(rebuild_with(kMissing), kNoFillFileMessage);
    out.close();
    const std::string comments = golden("open_close.hgl");
    EXPECT_EQ(plot_text(path), comments.substr(0, comments.find("IN;")));
}

TEST_F(Hpgl2Device, DeviceOnAFillFileWithoutEntriesStillOpens) {
    testing::internal::CaptureStderr();
    create(kNoEntries, DB_UNIT_INCH, 0);
    EXPECT_EQ(GplotErrno, 28);
    delete plot.device;
    testing::internal::GetCapturedStderr(); // the message, unless already shown
    testing::internal::CaptureStderr();
    create(kNoEntries, DB_UNIT_INCH, 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    plot.device->set_fill_pattern(0); // beyond the empty table: solid
    EXPECT_EQ(close_and_read(), "IN;\nPU2,0;FT;\nPG;\n");
}

} // namespace
