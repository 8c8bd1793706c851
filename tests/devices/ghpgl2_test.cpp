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
// device with a colour-map key of their own and load that map while their
// settings are in force, so they do not depend on which test of the program
// loaded the shared map first.
#include "devices/ghpgl2.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <regex>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "colour/color_map.h"
#include "devices/ghpgl2_fill_types.h"
#include "devices/recording_device.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using vexl::test::ScopedEnv;
using vexl::test::TempDir;

const std::string kGolden = std::string(VEXL_SOURCE_DIR) + "/tests/golden/hpgl2/";
const std::string kData = std::string(VEXL_SOURCE_DIR) + "/tests/data/hpgl2/";
const std::string kFills = kData + "fills.kdfill";
const std::string kMissing = kData + "missing.kdfill";
const std::string kNoFillFileMessage = "kdfill: cannot locate \"molvfill.cfg\" file.\n";

// The plot file's text with LF line ends. On Windows the file is written in
// text mode: every line must end in CR LF.
std::string plot_text(const std::string &path) {
    std::string text = TempDir::read(path);
#ifdef _WIN32
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'),
              std::count(text.begin(), text.end(), '\n'));
    text = std::regex_replace(text, std::regex("\r\n"), "\n");
#endif
    return text;
}

// A plot-file device reading the colour map of its own key.
class KeyedHpgl2 : public GHPGL2 {
  public:
    KeyedHpgl2(GPlot *owner, const char *name, int32_t k) : GHPGL2(owner, name, 2, 0), key(k) {}
    int32_t get_colormap_key() override { return key; }
    const int32_t key;
};

class Hpgl2Device : public ::testing::Test {
  protected:
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
    // A device whose colour map is read from `colour_file` in colour mode.
    GHPGL2 &create_keyed(const std::string &colour_file, int32_t key) {
        ScopedEnv fill("MOLVERN_FILL", kMissing.c_str()), mode("MOLVERN_COLOR_MODE", "color"),
            colours("MOLVERN_COLOR", colour_file.c_str());
        CaptureStderr();
        vexl::find_color_map(key);
        GHPGL2 *device = new KeyedHpgl2(&plot, path.c_str(), key);
        GetCapturedStderr();
        return *device;
    }
    // The viewport and the world window, as the plotting interface sets them
    // before drawing.
    static void frame(GHPGL2 &d, const int32_t (&world)[4], const float (&vp)[4] = {0, 0, 1, 1}) {
        d.set_viewport(vp);
        d.set_world(world);
    }
    std::string close_and_read() {
        delete plot.device;
        return plot_text(path);
    }

    TempDir dir;
    std::string path = dir.file("plot.hgl");
    GPlot plot{};
};

// ---- Formatting and page size -------------------------------------------

// The library formats numbers itself: six decimals rounded as printf rounds
// them, and a decimal point whatever the locale says.
TEST(Hpgl2Format, SixDecimalsWithAPointInEveryLocale) {
    const char *comma_locale = nullptr;
    for (const char *name : {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8", "German_Germany.1252"}) {
        if (!comma_locale && std::setlocale(LC_NUMERIC, name) != nullptr &&
            std::localeconv()->decimal_point[0] == ',')
            comma_locale = name;
    }
    std::string out;
    vexl::append_plot_text(out, "PA%d,%d;AA%lf,%lf,%lf,%lf;",
                           {INT32_MIN, 7, 90.0, -1e-9, 0.1234565, 1e15 / 3});
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(out, "PA-2147483648,7;AA90.000000,-0.000000,0.123456,333333333333333.312500;");
    if (comma_locale == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
}

TEST_F(Hpgl2Device, PageSizeIsReadOnEveryCall) {
    GHPGL2 &d = create(kFills, DB_UNIT_INCH, 0);
    const auto size_with = [&](const char *w, const char *h, const char *dw, const char *dh) {
        ScopedEnv e0("HPGL2_PAPER_WIDTH", w), e1("HPGL2_PAPER_HEIGHT", h),
            e2("HPGL2_DPI_WIDTH", dw), e3("HPGL2_DPI_HEIGHT", dh);
        int32_t width = -1, height = -1;
        double x = -1, y = -1;
        EXPECT_TRUE(d.get_width_n_height(&width, &height) && d.get_pixels_perinch(&x, &y));
        return std::to_string(width) + "x" + std::to_string(height) + "@" +
               std::to_string(static_cast<int>(x)) + "x" + std::to_string(static_cast<int>(y));
    };
    EXPECT_EQ(size_with(nullptr, nullptr, nullptr, nullptr), "792x612@72x72");
    EXPECT_EQ(size_with("17", "11", "300", "200"), "5100x2200@300x200");
    EXPECT_EQ(size_with(nullptr, "8", nullptr, "100"), "792x800@72x100");  // whole inches
    EXPECT_EQ(size_with(" 12in", "abc", nullptr, nullptr), "864x0@72x72"); // as atoi reads them
    EXPECT_EQ(size_with("99999999999", "-3", "2", nullptr), "2147483647x-216@2x72");
}

// ---- Golden plot files ----------------------------------------------------------

TEST_F(Hpgl2Device, PenStateOfLinesAndPoints) {
    GHPGL2 &d = create(kFills, DB_UNIT_INCH, 1000);
    frame(d, {0, 0, 1000, 800});
    d.draw_to_world({1, 1});
    d.draw_to_world({2, 2}); // the pen is already down
    d.move_to_world({10, 10});
    d.move_to_world({20, 20}); // and already up
    d.draw_line_world({100, 100}, {200, 150});
    const WorldPointS line[] = {{300, 300}, {400, 300}, {400, 400}};
    const WorldPointS points[] = {{500, 500}, {600, 600}};
    d.draw_lines_world(line, 3);
    d.draw_points_world(points, 2);
    d.draw_point_world({700, 700});
    d.draw_to_world({710, 710}); // a point leaves the pen up
    EXPECT_EQ(plot.current_point[0], 710);
    EXPECT_EQ(close_and_read(), TempDir::read(kGolden + "lines.hgl"));
}

// A dot is a one-unit stroke there and back; at the top of the int32 range
// it goes the other way, so the plotter is never sent a position beyond it.
TEST_F(Hpgl2Device, DotsAtTheTopOfTheRangeStayInIt) {
    GHPGL2 &d = create(kFills, DB_UNIT_INCH, 0);
    d.draw_point_world({INT32_MAX, 5});
    d.draw_point_world({INT32_MIN, INT32_MAX});
    const std::string text = close_and_read();
    EXPECT_NE(text.find("PA2147483647,5;\nPD;PR-1,1;PR1,-1;PU\n"), std::string::npos) << text;
    EXPECT_NE(text.find("PA-2147483648,2147483647;\nPD;PR1,-1;PR-1,1;PU\n"), std::string::npos)
        << text;
}

TEST_F(Hpgl2Device, AttributesAreWrittenOnlyWhenTheyChange) {
    GHPGL2 &d = create(kFills, DB_UNIT_MILLIMETRE, 3);
    frame(d, {-500, -400, 500, 400}, {0.1f, 0.2f, 0.9f, 0.8f});
    for (int32_t type : {0, 1, 1, 2, 3, 4, 5, 6, 7, 7, 0})
        EXPECT_TRUE(d.set_line_type(type));
    d.draw_line_world({0, 0}, {10, 10});
    for (int32_t width : {3, 0, -1, 10})
        EXPECT_EQ(d.set_line_width_world(width), width >= 0);
    EXPECT_EQ(GplotErrno, 7);
    EXPECT_EQ(plot.line_width, 10);
    for (int32_t pattern : {-1, -2, -2, 1, 3, -1, 0}) // 3 is beyond the table
        EXPECT_TRUE(d.set_fill_pattern(pattern));
    const int32_t clip[4] = {-100, -50, 100, 50};
    d.set_clip_world(clip, true);
    EXPECT_TRUE(d.clear()); // lifts the clip rectangle and puts it back
    d.set_clip_world(clip, false);
    EXPECT_TRUE(d.clear_world_rect(clip));
    EXPECT_EQ(close_and_read(), TempDir::read(kGolden + "attributes.hgl"));
}

TEST_F(Hpgl2Device, PolygonsArcsAndSegments) {
    vexl::find_color_map(0); // loaded already, so only the fill file's message follows
    CaptureStderr();
    GHPGL2 &d = create(kMissing, DB_UNIT_INCH, 1);
    EXPECT_EQ(GetCapturedStderr(), kNoFillFileMessage);
    frame(d, {0, 0, 1000, 1000});
    const WorldPointS triangle[] = {{100, 100}, {200, 100}, {150, 200}};
    d.draw_polygon_world(triangle, 3);
    d.set_fill_pattern(-2);
    const int32_t rect[4] = {300, 300, 400, 350};
    d.draw_rectangle_world(rect);
    d.draw_arc_world({500, 500, 550, 500, 90000});
    d.set_fill_pattern(-1);
    d.draw_arc_world({600, 600, 600, 650, -45500}); // leaves the pen down
    EXPECT_EQ(d.pen_down, 1);                       // shows only in the next move's PU
    const WorldPointS a = {700, 700}, b = {800, 750};
    EXPECT_EQ(ghpgl2_draw_rectangle2_world(&plot, &a, &b), 1);
    // The edged rectangle needs a plot-file device.
    GPlot other{};
    vexl::test::RecordingDevice pixels(&other);
    EXPECT_EQ(ghpgl2_draw_rectangle2_world(&other, &a, &b), 0);
    EXPECT_EQ(GplotErrno, 1);
    const WorldPointS segments[] = {{0, 0},   {10, 10}, {10, 10}, {20, 0},  {50, 50},
                                    {60, 60}, {70, 70}, {80, 80}, {80, 80}, {90, 70}};
    d.draw_segments_world(segments, 5);
    // Empty lists write nothing; a rectangle list is drawn as its rectangles.
    EXPECT_TRUE(d.draw_polygon_world(triangle, 0) && d.draw_lines_world(triangle, 0) &&
                d.draw_segments_world(segments, 0) && d.draw_points_world(triangle, -1) &&
                d.draw_rectangles_world(rect, 0));
    EXPECT_TRUE(d.draw_rectangles_world(rect, 1));
    EXPECT_EQ(close_and_read(), TempDir::read(kGolden + "shapes.hgl"));
}

// A colour is sent as its map entry's pen, and only when it changes; an index
// outside the map is refused, however often it is asked for.
TEST_F(Hpgl2Device, PensComeFromTheColourMap) {
    GHPGL2 &d = create_keyed(kData + "pens.kdcolor", 0x48500001);
    frame(d, {0, 0, 100, 100});
    d.draw_line_world({0, 0}, {10, 0}); // the first pen change lifts the pen
    const std::tuple<int32_t, int32_t, bool> colours[] = {
        {-1, 255, true}, {1, 255, true},  {1, 255, true},   {3, 255, true}, {3, 128, true},
        {4, 255, false}, {4, 255, false}, {-1, 255, false}, {0, 255, true}};
    for (const auto &[index, transparency, accepted] : colours)
        EXPECT_EQ(d.set_foreground_color(index, transparency), accepted) << index;
    EXPECT_FALSE(d.set_xor_drawing_mode(true, 4));
    EXPECT_EQ(plot.xor_mode, 0) << "a refused colour leaves the XOR flag";
    EXPECT_EQ(close_and_read(), TempDir::read(kGolden + "pens.hgl"));
}

// Fewer than three colours select pen 1 for every index, valid or not.
TEST_F(Hpgl2Device, MonochromeMapsSelectPenOne) {
    EXPECT_EQ(ghpgl2_force_monochrome(2), 1);
    EXPECT_EQ(ghpgl2_force_monochrome(3), 0);
    GHPGL2 &d = create_keyed(kData + "two_colours.kdcolor", 0x48500011);
    d.draw_line_world({0, 0}, {5, 5});
    for (int32_t index : {0, 1, 5, -3})
        EXPECT_TRUE(d.set_foreground_color(index, 255)) << index;
    EXPECT_EQ(close_and_read(), TempDir::read(kGolden + "monochrome.hgl"));
}

TEST_F(Hpgl2Device, OpenThroughThePlotInterfaceAndClose) {
    ScopedEnv fill("MOLVERN_FILL", kFills.c_str());
    GPlot *opened = gplot_open_hpgl2(path.c_str(), DB_UNIT_MILLIMETRE, 100);
    ASSERT_NE(opened, nullptr);
    // What the plotting interface reads from the record (colours and fill show
    // in the files above).
    EXPECT_EQ(
        (std::vector<int32_t>{opened->background_color, opened->line_width, opened->line_clipping}),
        (std::vector<int32_t>{-1, 1, 1}));
    EXPECT_EQ(gplot_flush(opened), 1);
    const std::string file = TempDir::read(kGolden + "open_close.hgl");
    EXPECT_EQ(plot_text(path), file.substr(0, file.size() - 4)); // all but "PG;\n"
    EXPECT_EQ(gplot_close(opened), 1);
    EXPECT_EQ(plot_text(path), file);
}

// ---- Creation failures and the fill-type table ----------------------------------

// An unopenable file is code 23, with no message; a plot that has a device
// already is code 10, before any file is touched.
TEST_F(Hpgl2Device, RefusedCreationsLeaveThePlotAsItWas) {
    const std::string nowhere = dir.file("no/such/dir/plot.hgl");
    CaptureStderr();
    EXPECT_EQ(ghpgl2_create(&plot, nowhere.c_str(), DB_UNIT_INCH, 0), 0);
    EXPECT_EQ(GplotErrno, 23);
    EXPECT_EQ(gplot_open_hpgl2(nowhere.c_str(), DB_UNIT_INCH, 0), nullptr);
    EXPECT_EQ(GplotErrno, 23);
    EXPECT_EQ(GetCapturedStderr(), ""); // no "malloc" line
    GHPGL2 &first = create(kFills, DB_UNIT_INCH, 0);
    const std::string other = dir.file("other.hgl");
    EXPECT_EQ(ghpgl2_create(&plot, other.c_str(), DB_UNIT_INCH, 0), 0);
    EXPECT_EQ(GplotErrno, 10);
    EXPECT_EQ(plot.device, &first);
    EXPECT_EQ(TempDir::read(other), "") << "no file made";
}

// A fill-pattern file without entries is code 28 and reported once per table.
TEST(Hpgl2FillTypes, AFileWithoutEntriesIsReportedOnce) {
    vexl::PlotFile no_file;
    vexl::FillTypeTable table;
    const auto rebuild_with = [&](const std::string &fill_file) { // message, code/size
        ScopedEnv fill("MOLVERN_FILL", (kData + fill_file).c_str());
        GplotErrno = 0;
        CaptureStderr();
        table.rebuild(no_file);
        return GetCapturedStderr() + std::to_string(GplotErrno) + "/" +
               std::to_string(table.entries().size());
    };
    EXPECT_EQ(rebuild_with("fills.kdfill"), "0/3");
    EXPECT_EQ(rebuild_with("no_entries.kdfill"), "kdfill: No patterns in .kdfill file\n28/0");
    EXPECT_EQ(rebuild_with("malformed.kdfill"), "28/0");
    GplotErrno = 0;
}

} // namespace
