// Arcs and markers through the C interface: when arcs are flattened, what the
// flattened poly-line looks like, and which markers are drawn.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "drawing_fixture.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using vexl::test::DrawingTest;
using vexl::test::ScopedEnv;
using vexl::test::TempDir;

class Arcs : public DrawingTest {
  protected:
    // World clipping with arcs flattened, as MOLVERN_CLIPPING sets it up.
    void flatten_arcs(GPlotDevice kind, int32_t step) {
        plot->device_kind = kind;
        plot->arc_clipping = 1;
        plot->arc_step = step;
        clip_to(0, 0, 1000, 1000);
    }
    // The points of the one poly-line or polygon the arc became.
    std::vector<WorldPointS> drawn_points(const char *op) const {
        EXPECT_EQ(calls().size(), 1u);
        std::vector<WorldPointS> points;
        if (calls().size() != 1 || calls()[0].op != op)
            return points;
        const std::vector<int32_t> &c = calls()[0].coords;
        for (std::size_t i = 0; i + 1 < c.size(); i += 2)
            points.push_back({c[i], c[i + 1]});
        return points;
    }
};

TEST_F(Arcs, DegenerateArcsDrawOnePoint) {
    flatten_arcs(GPLOT_SCREEN, 0);
    const WorldArcS no_sweep{600, 500, 500, 500, 0}, no_radius{500, 500, 500, 500, 90000};
    EXPECT_EQ(gplot_draw_arc_world(plot, &no_sweep), 1);
    EXPECT_EQ(gplot_draw_arc_world(plot, &no_radius), 1);
    EXPECT_EQ(calls(), (std::vector{call("draw_point_device", 1, {600, 500}),
                                    call("draw_point_device", 1, {500, 500})}));
}

// Eight steps per turn: the angle is accumulated by addition, so the last
// step may fall either side of the loop end; either way the outline closes.
TEST_F(Arcs, ClippedFullCircleBecomesAClosedPolyLine) {
    flatten_arcs(GPLOT_SCREEN, 8);
    const WorldArcS circle{500, 600, 500, 500, 400000}; // more than a turn: one turn
    EXPECT_EQ(gplot_draw_arc_world(plot, &circle), 1);
    const std::vector<WorldPointS> ring = drawn_points("draw_lines_device");
    ASSERT_GE(ring.size(), 9u);
    EXPECT_LE(ring.size(), 10u);
    EXPECT_EQ(ring.front().x, ring.back().x);
    EXPECT_EQ(ring.front().y, ring.back().y);
    for (const WorldPointS &p : ring)
        EXPECT_NEAR(std::hypot(p.x - 500.0, p.y - 500.0), 100.0, 1.0);

    rec.device.forget_calls();
    plot->fill_pattern = -2;
    EXPECT_EQ(gplot_draw_arc_world(plot, &circle), 1);
    EXPECT_GE(drawn_points("draw_polygon_device").size(), 9u);
}

TEST_F(Arcs, ClockwiseArcsTurnTowardsMinusY) {
    flatten_arcs(GPLOT_HPGL2, 0); // a plotter: no aspect correction, 100 steps per turn
    const WorldArcS quarter{600, 500, 500, 500, -90000};
    EXPECT_EQ(gplot_draw_arc_world(plot, &quarter), 1);
    const std::vector<WorldPointS> points = drawn_points("draw_lines_device");
    ASSERT_EQ(points.size(), 26u); // 25 steps of 3.6 degrees and the end point
    EXPECT_EQ(points.back().x, 500);
    EXPECT_EQ(points.back().y, 400);
    for (const WorldPointS &p : points)
        EXPECT_LE(p.y, 500);
}

TEST_F(Arcs, DeviceDrawsTheArcUnlessFlatteningIsAskedFor) {
    const WorldArcS arc{600, 500, 500, 500, 45000};
    flatten_arcs(GPLOT_PRINT, 0); // hard copy keeps its arcs even while clipping
    EXPECT_EQ(gplot_draw_arc_world(plot, &arc), 1);
    plot->device_kind = GPLOT_SCREEN;
    plot->arc_clipping = 0; // clip mode switched on after open: arcs stay arcs
    EXPECT_EQ(gplot_draw_arc_world(plot, &arc), 1);
    ASSERT_EQ(calls().size(), 2u);
    EXPECT_EQ(calls()[0].op, "draw_arc_device");
    EXPECT_EQ(calls()[1].op, "draw_arc_device");

    // A centre beyond the device range flattens it whatever the settings.
    const int32_t small[4] = {0, 0, 10, 10}; // 100 device units per world unit
    gplot_set_world(plot, small);
    gplot_set_clip_mode(plot, 0);
    rec.device.forget_calls();
    const WorldArcS far_centre{5, 5, 100000000, 5, 10};
    EXPECT_EQ(gplot_draw_arc_world(plot, &far_centre), 1);
    EXPECT_EQ(rec.device.world_out_of_range, 1);
    // Hard copy too: no device record can describe such an arc.
    plot->device_kind = GPLOT_PRINT;
    EXPECT_EQ(gplot_draw_arc_world(plot, &far_centre), 1);
    ASSERT_FALSE(calls().empty());
    for (const auto &c : calls())
        EXPECT_NE(c.op, "draw_arc_device");
}

using Markers = DrawingTest;

TEST_F(Markers, OnlyMarkersCentredInsideTheWorldWindowAreDrawn) {
    gplot_set_marker(plot, 7); // plus
    WorldPointS centres[] = {{1001, 500}, {1000, 500}};
    EXPECT_EQ(gplot_draw_markers_world(plot, centres, 2, 11), 1);
    EXPECT_EQ(calls(), (std::vector{call("draw_line_device", 1, {1000, 495, 1000, 505}),
                                    call("draw_line_device", 1, {995, 500, 1005, 500})}));
    rec.device.forget_calls();
    gplot_set_marker(plot, 99);
    EXPECT_EQ(gplot_draw_markers_world(plot, centres + 1, 1, 11), 1);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(gplot_draw_marker_world(plot, centres, 0), 1);
    EXPECT_EQ(gplot_draw_marker_world(plot, centres, -1), 0);
    EXPECT_EQ(GplotErrno, 10);
}

TEST_F(Markers, LineTypeIsSolidWhileDrawingAndRestoredAfter) {
    WorldPointS centre[] = {{500, 500}};
    plot->line_type = 3;
    EXPECT_EQ(gplot_draw_markers_world(plot, centre, 1, 10), 1);
    EXPECT_EQ(plot->line_type, 3);
    plot->line_type = 99; // not a line type: left solid, with the code
    EXPECT_EQ(gplot_draw_markers_world(plot, centre, 1, 10), 1);
    EXPECT_EQ(plot->line_type, 0);
    EXPECT_EQ(GplotErrno, 6);
}

TEST_F(Markers, DeviceMarkersDrawNothing) {
    const DevicePointS p{5, 5};
    EXPECT_EQ(gplot_draw_marker_device(plot, &p, 0), 1);
    EXPECT_EQ(gplot_draw_marker_device(plot, &p, 3), 0);
    EXPECT_EQ(GplotErrno, 0);
    EXPECT_EQ(gplot_draw_markers_device(plot, &p, 1, -1), 0);
    EXPECT_EQ(GplotErrno, 10);
    EXPECT_TRUE(calls().empty());
}

// End to end on a plot file: clipping switched on for HP-GL/2 by the
// settings, an arc flattened in four steps, a marker and a trimmed fill.
TEST(ClippedPlotFile, MatchesTheGoldenFile) {
    const std::string source = VEXL_SOURCE_DIR;
    ScopedEnv clipping("MOLVERN_CLIPPING", "print;hpgl"), step("MOLVERN_ARC_STEPVALUE", "4"),
        fills("MOLVERN_FILL", (source + "/tests/data/hpgl2/fills.kdfill").c_str());
    TempDir dir;
    const std::string path = dir.file("clipped.hgl");
    GPlot *plot = gplot_open_hpgl2(path.c_str(), DB_UNIT_MILLIMETRE, 100);
    ASSERT_NE(plot, nullptr);
    const int32_t world[4] = {0, 0, 1000, 1000}, clip[4] = {100, 100, 900, 900};
    ASSERT_EQ(gplot_set_viewport(plot, 0, 0, 1, 1), 1);
    ASSERT_EQ(gplot_set_world(plot, world), 1);
    ASSERT_EQ(gplot_set_clip_world(plot, clip), 1);
    const WorldPointS a{0, 500}, b{1000, 500}, outside{950, 950};
    EXPECT_EQ(gplot_draw_line_world(plot, &a, &b), 1);
    EXPECT_EQ(gplot_draw_point_world(plot, &outside), 1);
    const WorldArcS circle{500, 600, 500, 500, 360000};
    EXPECT_EQ(gplot_draw_arc_world(plot, &circle), 1);
    gplot_set_marker(plot, 7);
    WorldPointS centre[] = {{500, 500}};
    EXPECT_EQ(gplot_draw_markers_world(plot, centre, 1, 100), 1);
    gplot_set_fill_pattern(plot, -2);
    int32_t corner[4] = {800, 800, 1000, 1000};
    EXPECT_EQ(gplot_draw_rectangle_world(plot, corner), 1);
    EXPECT_EQ(gplot_close(plot), 1);

    std::string text = TempDir::read(path);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    EXPECT_EQ(text, TempDir::read(source + "/tests/golden/hpgl2/clipped_interface.hgl"));
}

} // namespace
