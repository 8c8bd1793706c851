// Every build computes the same plot files: the native library, the 64-bit
// DLL and the 32-bit DLL (the same holds for device points, which
// DeviceTest.ArrayAndSingleFormsKeepTheirOwnArithmetic checks on every
// build). The 32-bit compiler's default x87 arithmetic carries intermediate
// results in 80 bits, so a value that is exactly on an integer (or a float)
// in double arithmetic lands a hair below it and truncates or rounds one
// unit lower. The cases below are the ones where that showed; they fail as
// soon as a build's flags bring extended precision back.
#include <cfloat>
#include <cstdint>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "plot/gplot.h"
#include "support/temp_dir.h"

namespace {

using vexl::test::TempDir;

// The file a plot writes when it maps world (0, 0)-(1000, 1000) onto the
// whole page and draws what draw does.
std::string plot_file_after(void (*draw)(GPlot *)) {
    TempDir dir;
    const std::string path = dir.file("plot.hgl");
    GPlot *plot = gplot_open_hpgl2(path.c_str(), DB_UNIT_INCH, 1000);
    const int32_t world[4] = {0, 0, 1000, 1000};
    EXPECT_NE(plot, nullptr) << gplot_get_error_message();
    if (plot == nullptr)
        return "";
    EXPECT_EQ(gplot_set_viewport(plot, 0, 0, 1, 1), 1);
    EXPECT_EQ(gplot_set_world(plot, world), 1);
    draw(plot);
    EXPECT_EQ(gplot_close(plot), 1);
    return std::regex_replace(TempDir::read(path), std::regex("\r\n"), "\n");
}

// Single-precision products are rounded to float and double ones to double
// at every step: no wider evaluation format.
TEST(FloatingPoint, ExpressionsAreEvaluatedInTheirOwnType) {
    EXPECT_EQ(FLT_EVAL_METHOD, 0);
}

// 0.9f * 100 is 89.9999976 before rounding to float and exactly 90 after.
TEST(FloatingPoint, ViewportInstructionIsIR10_20_90_80) {
    const std::string text = plot_file_after(
        [](GPlot *plot) { EXPECT_EQ(gplot_set_viewport(plot, 0.1f, 0.2f, 0.9f, 0.8f), 1); });
    EXPECT_NE(text.find("IR10,20,90,80;\n"), std::string::npos) << text;
}

// The line (0, 0)-(300, 300) enters the clip rectangle where t = 1/3:
// x = 0 + t * 300 rounds to exactly 100 in double arithmetic, but stays a
// hair below 100 in 80 bits and truncates to 99.
TEST(FloatingPoint, LineClippedInWorldCoordinatesStartsAtPA100_100) {
    const std::string text = plot_file_after([](GPlot *plot) {
        const int32_t clip[4] = {100, 100, 900, 900};
        EXPECT_EQ(gplot_set_clip_world(plot, clip), 1);
        EXPECT_EQ(gplot_set_clip_mode(plot, 1), 1);
        const WorldPointS from{0, 0}, to{300, 300};
        EXPECT_EQ(gplot_draw_line_world(plot, &from, &to), 1);
    });
    EXPECT_NE(text.find("PA100,100;\nPD;PA300,300;\n"), std::string::npos) << text;
}

} // namespace
