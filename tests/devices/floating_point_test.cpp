// Every build computes the same plot files and device points: the native
// library, the 64-bit DLL and the 32-bit DLL. The 32-bit compiler's default
// x87 arithmetic carries intermediate results in 80 bits, so a value that is
// exactly on an integer (or a float) in double arithmetic lands a hair below
// it and truncates or rounds one unit lower. The cases below are the ones
// where that showed; they fail as soon as a build's flags bring extended
// precision back.
#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "devices/recording_device.h"
#include "plot/gplot.h"
#include "support/temp_dir.h"

namespace {

using vexl::test::DeviceCall;
using vexl::test::TempDir;

// The plot file's text with LF line ends whatever mode wrote it.
std::string plot_file_text(const std::string &path) {
    return std::regex_replace(TempDir::read(path), std::regex("\r\n"), "\n");
}

// Opens a plot file mapping world (0, 0)-(1000, 1000) onto the whole page.
GPlot *open_plot(const std::string &path) {
    GPlot *plot = gplot_open_hpgl2(path.c_str(), DB_UNIT_INCH, 1000);
    const int32_t world[4] = {0, 0, 1000, 1000};
    if (plot != nullptr &&
        (gplot_set_viewport(plot, 0, 0, 1, 1) != 1 || gplot_set_world(plot, world) != 1)) {
        gplot_close(plot);
        return nullptr;
    }
    return plot;
}

// Single-precision products are rounded to float and double ones to double
// at every step: no wider evaluation format.
TEST(FloatingPoint, ExpressionsAreEvaluatedInTheirOwnType) {
    EXPECT_EQ(FLT_EVAL_METHOD, 0);
}

// 0.9f * 100 is 89.9999976 before rounding to float and exactly 90 after.
TEST(FloatingPoint, ViewportInstructionIsIR10_20_90_80) {
    TempDir dir;
    const std::string path = dir.file("viewport.hgl");
    GPlot *plot = open_plot(path);
    ASSERT_NE(plot, nullptr) << gplot_get_error_message();
    EXPECT_EQ(gplot_set_viewport(plot, 0.1f, 0.2f, 0.9f, 0.8f), 1);
    ASSERT_EQ(gplot_close(plot), 1);
    const std::string text = plot_file_text(path);
    EXPECT_NE(text.find("IR10,20,90,80;\n"), std::string::npos) << text;
}

// In this window x = 1182 maps onto the half 1703.5: the single-point form
// (scale times offset plus origin) rounds it up, the array form (precomputed
// scale and offset) lands one bit below and rounds down. Each form must give
// its own point on every build.
TEST(FloatingPoint, ArrayAndSingleFormsKeepTheirOwnArithmetic) {
    vexl::test::RecordingPlot p;
    const int32_t world[4] = {-708, -708, 552, 552}, viewport[4] = {22, 22, 1143, 1143};
    std::copy_n(world, 4, p.plot.world);
    std::copy_n(viewport, 4, p.plot.device_viewport);
    const WorldPointS corner[1] = {{1182, 1182}};
    p.device.draw_point_world(corner[0]);
    p.device.draw_points_world(corner, 1);
    std::vector<std::vector<int32_t>> points;
    for (const DeviceCall &call : p.device.calls)
        points.push_back(call.coords);
    EXPECT_EQ(points, (std::vector<std::vector<int32_t>>{{1704, 1704}, {1703, 1703}}));
}

// The line (0, 0)-(300, 300) enters the clip rectangle where t = 1/3:
// x = 0 + t * 300 rounds to exactly 100 in double arithmetic, but stays a
// hair below 100 in 80 bits and truncates to 99.
TEST(FloatingPoint, LineClippedInWorldCoordinatesStartsAtPA100_100) {
    TempDir dir;
    const std::string path = dir.file("clipped.hgl");
    GPlot *plot = open_plot(path);
    ASSERT_NE(plot, nullptr) << gplot_get_error_message();
    const int32_t clip[4] = {100, 100, 900, 900};
    EXPECT_EQ(gplot_set_clip_world(plot, clip), 1);
    EXPECT_EQ(gplot_set_clip_mode(plot, 1), 1);
    const WorldPointS from{0, 0}, to{300, 300};
    EXPECT_EQ(gplot_draw_line_world(plot, &from, &to), 1);
    ASSERT_EQ(gplot_close(plot), 1);
    const std::string text = plot_file_text(path);
    EXPECT_NE(text.find("PA100,100;\nPD;PA300,300;\n"), std::string::npos) << text;
}

} // namespace
